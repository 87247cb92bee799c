// The calling thread's apartment, as CoInitialize and CoUninitialize leave it.
#ifndef WINAPI_OLE32_APARTMENT_H
#define WINAPI_OLE32_APARTMENT_H

// True between the thread's first CoInitialize and its matching CoUninitialize.
bool ComIsInitialized();

#endif
