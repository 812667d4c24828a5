// The steps of the query under the value, one row each as filedata
// --explain gives them: the step's name in a column of its own, its words
// wrapped to the list's width, and the step that decided the answer marked
// and in bold. Each row's text is "step<TAB>words"; its item data is 1 for
// the deciding row, so that a test can read both.
#include <algorithm>

#include "tools/tester/TesterResources.h"
#include "tools/tester/TesterWindow.h"
#include "tools/common/win32/WideText.h"

namespace filedata::tester {

using tool::Wide;

namespace {
constexpr int kStepColumn = 56;  // dialog units
constexpr int kPadding = 2;
constexpr wchar_t kMark[] = L"\u00BB ";  // before the deciding step
}  // namespace

void TTesterWindow::ShowExplanation(const tool::TExplained& explained) {
  std::vector<TRow> rows;
  for (const tool::TExplainStep& step : explained.Steps) rows.push_back({Wide(step.Step), Wide(step.Detail)});
  // The steps write numbers as the plug-in does; the value above follows
  // the user's regional settings, and the answer's row says so.
  const auto local = LocalValue(explained.Outcome);
  if (local && !rows.empty() && explained.Steps.back().Step == "answer") {
    rows.back().Detail += Wide(" (shown above as " + *local + ", as your regional settings write it)");
  }
  const std::size_t deciding = DecidingStep(explained);
  const HWND list = Control(IDC_EXPLANATION);
  const bool same = deciding == decidingRow_ && rows.size() == rows_.size() &&
                    std::equal(rows.begin(), rows.end(), rows_.begin(), [](const TRow& a, const TRow& b) {
                      return a.Step == b.Step && a.Detail == b.Detail;
                    });
  // Each reading explains anew; the list changes only when the words do, so
  // it keeps its place and does not flicker.
  if (same && SendMessageW(list, LB_GETCOUNT, 0, 0) == static_cast<LRESULT>(rows.size())) return;
  rows_ = std::move(rows);
  decidingRow_ = deciding;
  FillExplanation();
}

void TTesterWindow::FillExplanation() {
  const HWND list = Control(IDC_EXPLANATION);
  RECT client;
  GetClientRect(list, &client);
  listWidth_ = client.right;
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const std::wstring text = rows_[i].Step + L"\t" + rows_[i].Detail;
    const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), i == decidingRow_ ? 1 : 0);
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void TTesterWindow::MeasureRow(MEASUREITEMSTRUCT& item) const {
  if (item.CtlID != IDC_EXPLANATION || item.itemID >= rows_.size()) return;
  const HWND list = Control(IDC_EXPLANATION);
  RECT client;
  GetClientRect(list, &client);
  const int detailWidth = std::max<int>(client.right - X(kStepColumn) - 2 * X(kPadding), X(40));
  const HDC dc = GetDC(list);
  const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0)));
  RECT rect{0, 0, detailWidth, 0};
  const std::wstring& detail = rows_[item.itemID].Detail;
  DrawTextW(dc, detail.c_str(), static_cast<int>(detail.size()), &rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, previous);
  ReleaseDC(list, dc);
  item.itemHeight = static_cast<UINT>(std::min(rect.bottom + 2 * Y(kPadding), 255L));
}

void TTesterWindow::DrawRow(const DRAWITEMSTRUCT& item) const {
  if (item.CtlID != IDC_EXPLANATION || item.itemID >= rows_.size()) return;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool deciding = item.itemID == decidingRow_;
  const HDC dc = item.hDC;
  FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const HFONT normal = reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0));
  const HGDIOBJ previous = SelectObject(dc, deciding ? boldFont_ : normal);
  const TRow& row = rows_[item.itemID];
  const std::wstring step = deciding ? kMark + row.Step : row.Step;
  RECT stepRect = item.rcItem;
  stepRect.left += X(kPadding);
  stepRect.top += Y(kPadding);
  stepRect.right = item.rcItem.left + X(kStepColumn);
  DrawTextW(dc, step.c_str(), static_cast<int>(step.size()), &stepRect, DT_NOPREFIX | DT_SINGLELINE | DT_END_ELLIPSIS);
  SelectObject(dc, normal);
  RECT detailRect = item.rcItem;
  detailRect.left += X(kStepColumn);
  detailRect.top += Y(kPadding);
  detailRect.right -= X(kPadding);
  DrawTextW(dc, row.Detail.c_str(), static_cast<int>(row.Detail.size()), &detailRect, DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, previous);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

}  // namespace filedata::tester
