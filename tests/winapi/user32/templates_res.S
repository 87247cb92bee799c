/* The test program's resources, where kernel32 looks for them. */
    .section .rodata
    .balign 4
    .globl winapi_resource_data
winapi_resource_data:
    .incbin TEMPLATES_RES
    .globl winapi_resource_data_end
winapi_resource_data_end:
    .section .note.GNU-stack, "", @progbits
