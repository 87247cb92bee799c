/* Resource ids of the setup program: dialog templates, their controls and
   the payload streams. Plain #defines so that windres and C++ share them. */
#ifndef FVPSETUP_RESOURCE_H
#define FVPSETUP_RESOURCE_H

/* Dialog templates of the wizard pages */
#define IDD_DIRECTORY           135
#define IDD_WELCOME             136
#define IDD_ICONS               137
#define IDD_READY               138
#define IDD_COPY                139
#define IDD_DONE                140
#define IDD_EMAIL               141
#define IDD_LICENSE             143

/* Controls; an id shared by two templates serves the same role in both */
#define IDC_DIR                 1006
#define IDC_BROWSE              1011
#define IDC_DESKTOP_SHORTCUT    1018
#define IDC_STARTMENU_SHORTCUT  1019
#define IDC_PROGRAM_GROUP       1020
#define IDC_PROGRESS            1021
#define IDC_COPY_WAIT           1028
#define IDC_INTRO               1029
#define IDC_WELCOME_WIZARD      1030
#define IDC_WELCOME_START       1031
#define IDC_MESSAGE             1032
#define IDC_NOTE                1033
#define IDC_ICONS_INTRO         1035
#define IDC_ICONS_WHERE         1036
#define IDC_DONE_READY          1037
#define IDC_DONE_FINISH         1038
#define IDC_DIR_INTRO           1039
#define IDC_DIR_OKAY            1040
#define IDC_DIR_OTHER           1041
#define IDC_EMAIL               1042
#define IDC_NAME                1043
#define IDC_LICENSE             1045

#ifndef IDC_STATIC
#define IDC_STATIC              (-1)
#endif

/* Payload: one RT_RCDATA zlib stream per installed file */
#define IDR_CORE_GOB            2002
#define IDR_FVPAT_EXE           2004
#define IDR_RUNE32C_DLL         2005
#define IDR_BRAMBLECOTE_URL     2006
#define IDR_FVP_1_MID           2007
#define IDR_NOTES_DOC           2014
#define IDR_SHOP_EXE            2015
#define IDR_FVPAT_HLP           2016
#define IDR_TERMS_DOC           2017
#define IDR_BLURB_DIZ           2018
#define IDR_SHOP_GOB            2019
#define IDR_PLAIN_DCK           2021
#define IDR_MYSTIC_DCK          2022
#define IDR_LARGE_DCK           2023
#define IDR_FVP_2_MID           2050
#define IDR_TUNES_TXT           2051
#define IDR_TUNES_DIR_TXT       2052
#define IDR_TEXTS_DAT           2054
#define IDR_FVP_3_MID           2055
#define IDR_FVP_VOYAGE_MID      2056
#define IDR_SEED_RND            2057

#endif
