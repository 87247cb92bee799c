// Item id lists of file-system paths, laid out as Wine's shell lays them out: the "My
// Computer" item, the drive item, then one item per folder and the last name.
#ifndef WINAPI_SHELL32_ITEMLIST_H
#define WINAPI_SHELL32_ITEMLIST_H

#include <string>

#include "shobjidl.h"

// The item id list of a full drive path ("C:\...") with its ending zero cb, or "" for any
// other path. Folders on the way that exist carry their names as the disk spells them, their
// attributes and times; the others carry the names as given. With `simple`, the last name is
// taken as given without looking at the disk, as a shell link's target is.
std::string ItemListForPath(const std::string &fullPath, bool simple);

// The bytes of an item id list including its ending zero cb.
size_t ItemListSize(LPCITEMIDLIST pidl);

// The file-system path an item id list below "My Computer" names; false for any other list.
bool PathFromItemList(LPCITEMIDLIST pidl, std::string &path);

#endif
