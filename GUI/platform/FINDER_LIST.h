#pragma once

#include <memory>
#include <vector>

#include "GUI/foundation/CFerroString.h"
#include "GUI/resources/VIRTUAL_ITEM.h"

class GVirtualDrive;

// One running directory search. Host searches are POSIX_FIND_ITEM; resource
// drives bring their own record with isVirtual set.
struct FINDER_DATA {
  explicit FINDER_DATA(bool isVirtualSearch) : isVirtual(isVirtualSearch) {}
  virtual ~FINDER_DATA() = default;
  FINDER_DATA(const FINDER_DATA&) = delete;
  FINDER_DATA& operator=(const FINDER_DATA&) = delete;

  const bool isVirtual;
  // The name returned last; it stays valid until the next step of the search.
  CFerroString found;
};

// A search over a host folder: the open directory handle and the extension
// filter (empty for every name, else "." and the mask).
struct POSIX_FIND_ITEM : FINDER_DATA {
  POSIX_FIND_ITEM(void* dir, const CFerroString& folder, const CFerroString& filter);
  ~POSIX_FIND_ITEM() override;

  void* dir;  // DIR*, closed with the record.
  CFerroString folder;
  CFerroString filter;
};

// A search through a folder of a resource drive. The platform ends it (clears find.folder) when
// the folder or its drive goes away, so it never walks freed entries.
struct DRIVE_FIND_ITEM : FINDER_DATA {
  explicit DRIVE_FIND_ITEM(GVirtualDrive* owner) : FINDER_DATA(true), drive(owner) {}

  GVirtualDrive* drive;
  VIRTUAL_FIND_ITEM find;
};

// The stack of running searches: a search started inside another one is
// pushed on top and popped when it ends, so the outer one resumes untouched.
class FINDER_LIST {
 public:
  void Add(std::unique_ptr<FINDER_DATA> search) { items.push_back(std::move(search)); }
  // The innermost running search, or null.
  FINDER_DATA* Get() const { return items.empty() ? nullptr : items.back().get(); }
  // Ends the innermost search.
  void Delete() {
    if (!items.empty()) items.pop_back();
  }
  int GetCount() const { return static_cast<int>(items.size()); }
  // The running search at depth i, 0 being the outermost.
  FINDER_DATA* GetAt(int i) const { return items[static_cast<size_t>(i)].get(); }

 private:
  std::vector<std::unique_ptr<FINDER_DATA>> items;
};
