// Run-time class information of the typed arrays; their members live in afxcoll.h.
#include "afxcoll.h"

IMPLEMENT_DYNAMIC(CByteArray, CObject)
IMPLEMENT_DYNAMIC(CStringArray, CObject)
