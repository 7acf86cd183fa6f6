#include "platform/Win32Sync.h"

// The structure stays plain data, as on the home platform: its lock exists
// only between InitializeCriticalSection and DeleteCriticalSection, so a class
// can hold one as a member and manage it in its own constructor and destructor.
void InitializeCriticalSection(LPCRITICAL_SECTION section) { section->lock = new std::recursive_mutex; }

void EnterCriticalSection(LPCRITICAL_SECTION section) { section->lock->lock(); }

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section) { return section->lock->try_lock() ? TRUE : FALSE; }

void LeaveCriticalSection(LPCRITICAL_SECTION section) { section->lock->unlock(); }

void DeleteCriticalSection(LPCRITICAL_SECTION section) {
  delete section->lock;
  section->lock = nullptr;
}
