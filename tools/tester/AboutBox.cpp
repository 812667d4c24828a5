// The About box: what the plug-in says about itself, its name, version
// words and about rows, as the host lists them.
#include <windows.h>

#include <commctrl.h>

#include "tools/tester/TesterResources.h"
#include "tools/tester/TesterWindow.h"
#include "tools/common/win32/WideText.h"

namespace filedata::tester {

using tool::Wide;

namespace {
void AddColumn(HWND list, int index, const wchar_t* title, int width) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = const_cast<wchar_t*>(title);
  column.cx = width;
  SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void AddRow(HWND list, int index, const std::string& key, const std::string& value) {
  const std::wstring keyText = Wide(key), valueText = Wide(value);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = const_cast<wchar_t*>(keyText.c_str());
  SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  item.iSubItem = 1;
  item.pszText = const_cast<wchar_t*>(valueText.c_str());
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto& description = *reinterpret_cast<const tool::TDescription*>(lParam);
    SetDlgItemTextW(dialog, IDC_ABOUT_NAME, Wide(description.Name).c_str());
    const std::wstring version = L"Version words " + std::to_wstring(description.VersionA) + L" and " +
                                 std::to_wstring(description.VersionB);
    SetDlgItemTextW(dialog, IDC_ABOUT_VERSION, version.c_str());
    const HWND list = GetDlgItem(dialog, IDC_ABOUT_ROWS);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
    RECT client;
    GetClientRect(list, &client);
    AddColumn(list, 0, L"", client.right / 3);
    AddColumn(list, 1, L"", client.right - client.right / 3 - GetSystemMetrics(SM_CXVSCROLL));
    int row = 0;
    for (const tool::TAboutRowDescription& about : description.About) AddRow(list, row++, about.Key, about.Value);
    AddRow(list, row, "Update location", description.UpdateLocation);
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, IDOK);
    return TRUE;
  }
  return FALSE;
}
}  // namespace

void TTesterWindow::ShowAbout() const {
  DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_ABOUT), dialog_, &AboutProc,
                  reinterpret_cast<LPARAM>(&description_));
}

}  // namespace filedata::tester
