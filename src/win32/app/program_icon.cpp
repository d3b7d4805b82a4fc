#include "win32/app/program_icon.h"

#include "win32/app/resource_ids.h"

namespace horavia::win32 {

HICON ProgramIcon(IconSize size) {
  const bool small = size == IconSize::Small;
  const int width = ::GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
  const int height = ::GetSystemMetrics(small ? SM_CYSMICON : SM_CYICON);
  auto* icon =
      static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_HORAVIA),
                                      IMAGE_ICON, width, height, LR_SHARED));
  if (icon == nullptr) {
    icon = static_cast<HICON>(
        ::LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, width, height, LR_SHARED));
  }
  return icon;
}

}  // namespace horavia::win32
