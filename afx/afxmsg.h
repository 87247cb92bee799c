// Message maps: per class, a table from window messages and commands to handler members.
// A class's table names its base class's table, so a lookup walks from the most derived
// class to CCmdTarget, and the first matching entry handles the message.
#pragma once

class CCmdTarget;

#define afx_msg
#define CN_COMMAND 0

// One handler call: the entry's small function casts the target back to the class that
// wrote the map and calls its member with the message's parameters.
typedef LRESULT (*AFX_PMSG)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;  // window message
    UINT nCode;     // notification code, for WM_COMMAND
    UINT nID;       // control or command id, for WM_COMMAND
    AFX_PMSG pfn;   // NULL ends the table
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        using ThisClass [[maybe_unused]] = theClass; \
        using TheBaseClass = baseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, NULL } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, \
                                               &_messageEntries[0] }; \
        return &messageMap; \
    }

// afx_msg void OnPaint();
#define ON_WM_PAINT() \
    { WM_PAINT, 0, 0, [](CCmdTarget* pTarget, WPARAM, LPARAM) -> LRESULT { \
        static_cast<ThisClass*>(pTarget)->OnPaint(); \
        return 0; } },

// afx_msg void OnTimer(UINT nIDEvent);
#define ON_WM_TIMER() \
    { WM_TIMER, 0, 0, [](CCmdTarget* pTarget, WPARAM wParam, LPARAM) -> LRESULT { \
        static_cast<ThisClass*>(pTarget)->OnTimer((UINT)wParam); \
        return 0; } },

// afx_msg void memberFxn();  for a command (menu, accelerator, button) with this id
#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), [](CCmdTarget* pTarget, WPARAM, LPARAM) -> LRESULT { \
        static_cast<ThisClass*>(pTarget)->memberFxn(); \
        return 0; } },

// afx_msg void memberFxn();  for a click on the button with this id
#define ON_BN_CLICKED(id, memberFxn) \
    { WM_COMMAND, BN_CLICKED, (UINT)(id), [](CCmdTarget* pTarget, WPARAM, LPARAM) -> LRESULT { \
        static_cast<ThisClass*>(pTarget)->memberFxn(); \
        return 0; } },
