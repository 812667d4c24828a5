// The file's lines as the plug-in itself reads them, beside the fields:
// clicking a line sets LINE, selecting a span of it sets START and LENGTH
// (bytes of the plug-in's 8-bit text, a character a column), and each
// reading moves the selection back to what the plug-in cut. The rules are
// all the plug-in's: the tester only maps its clicks to parameters.
#include "tools/tester/TesterWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "tools/common/win32/WideText.h"
#include "tools/tester/TesterResources.h"

namespace filedata::tester {

using tool::Wide;

namespace {
constexpr int kLabelColumns = 9;  // the list's LINE column, in characters

// A control byte would move the columns (a tab) or show nothing: each is
// shown as its picture, one column wide like every other byte.
void ShowControls(std::wstring& text) {
  for (wchar_t& c : text) {
    if (c < 0x20) c = static_cast<wchar_t>(0x2400 + c);
  }
}

std::wstring RowText(const TLineRow& row) {
  std::wstring label = Wide(LineLabel(row));
  label.resize(std::max<std::size_t>(label.size() + 1, kLabelColumns), L' ');
  if (row.Kind != TLineRow::TKind::Line) return label + L"\u2026 " + Wide(row.Text);
  std::wstring text = Wide(row.Text);
  ShowControls(text);
  return label + text + (row.CutShort ? L" \u2026" : L"");
}

bool KeyDown(int key) { return GetKeyState(key) < 0; }

// The value the last reading ran with, from its "parameters" step.
std::string ParameterOf(const tool::TExplained& explained, const char* key) {
  for (const tool::TExplainStep& step : explained.Steps) {
    if (step.Step == "parameters" && step.Values.contains(key)) return step.Values[key].dump();
  }
  return "";
}
}  // namespace

void TTesterWindow::CreateLineControls() {
  // The ruler's columns start where the field's do.
  SendDlgItemMessageW(dialog_, IDC_LINE_TEXT, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  SetWindowSubclass(Control(IDC_LINE_TEXT), &LineTextProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

std::optional<std::size_t> TTesterWindow::FieldOf(TQueryKey key) const {
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (fields_[i].Key == KeyName(key)) return i;
  }
  return std::nullopt;
}

void TTesterWindow::SetFields(const std::vector<std::pair<TQueryKey, std::string>>& values) {
  updating_ = true;
  for (const auto& [key, value] : values) {
    if (const auto field = FieldOf(key)) {
      SetDlgItemTextW(dialog_, IDC_FIELD_EDIT + static_cast<int>(*field), Wide(value).c_str());
    }
  }
  updating_ = false;
  Read();
}

void TTesterWindow::ShowFile(const tool::TExplained& explained) {
  TShownFile file = ShownFileOf(explained.View);
  if (!plugIn_.CanView()) {
    file.Detail = "This version of the plug-in cannot show the file's lines (it is older than this tester).";
  }
  std::string notes = file.Available ? "" : file.Detail;
  for (const std::string& note : file.Notes) notes += (notes.empty() ? "" : "\r\n") + note;
  const bool sameRows = file.Rows.size() == file_.Rows.size() &&
                        std::equal(file.Rows.begin(), file.Rows.end(), file_.Rows.begin(),
                                   [](const TLineRow& a, const TLineRow& b) {
                                     return a.Kind == b.Kind && a.Number == b.Number && a.FromEnd == b.FromEnd &&
                                            a.Text == b.Text;
                                   });
  const std::wstring wideNotes = Wide(notes);
  const bool notesChanged = wideNotes != tool::TextOf(Control(IDC_FILE_NOTES));
  file_ = std::move(file);
  lineValue_ = ParameterOf(explained, "line");
  updating_ = true;
  if (notesChanged) SetDlgItemTextW(dialog_, IDC_FILE_NOTES, wideNotes.c_str());
  if (!sameRows) FillLines();
  const std::size_t row = SelectedRow(file_, explained);
  SendDlgItemMessageW(dialog_, IDC_LINES, LB_SETCURSEL, row == std::string::npos ? -1 : static_cast<WPARAM>(row), 0);
  ShowLine(row);
  SelectCut(explained);
  const bool last = row != std::string::npos && file_.Rows[row].FromEnd == 0;
  const bool fromEnd = lineValue_ == "0";
  CheckDlgButton(dialog_, IDC_FROM_END, fromEnd ? BST_CHECKED : BST_UNCHECKED);
  EnableWindow(Control(IDC_FROM_END), last && file_.Rows[row].Number != 0);
  CheckDlgButton(dialog_, IDC_TO_END, CutsToLineEnd(explained) ? BST_CHECKED : BST_UNCHECKED);
  EnableWindow(Control(IDC_TO_END), row != std::string::npos);
  SetDlgItemTextW(dialog_, IDC_PICK_NOTE,
                  Wide(row == std::string::npos ? "" : fromEnd ? file_.FromEndChoice : file_.FromStartChoice).c_str());
  // A fragile cut's advice in bold: it is why the reading may go wrong.
  const std::wstring advice = Wide(file_.Advice);
  const bool sturdier = file_.Sturdier.has_value();
  const bool pickChanged = advice != tool::TextOf(Control(IDC_ADVICE)) ||
                           sturdier != Shown(Control(IDC_STURDIER));
  SendDlgItemMessageW(dialog_, IDC_ADVICE, WM_SETFONT,
                      reinterpret_cast<WPARAM>(file_.Fragile ? boldFont_ : reinterpret_cast<HFONT>(SendMessageW(
                                                                                dialog_, WM_GETFONT, 0, 0))),
                      FALSE);
  SetDlgItemTextW(dialog_, IDC_ADVICE, advice.c_str());
  ShowWindow(Control(IDC_STURDIER), sturdier ? SW_SHOW : SW_HIDE);
  if (sturdier) {
    const std::string use = "&Use " + CutWords(file_.Sturdier->first, file_.Sturdier->second);
    SetDlgItemTextW(dialog_, IDC_STURDIER, Wide(use).c_str());
  }
  updating_ = false;
  if (notesChanged || pickChanged) Layout();  // the words take more or fewer lines
}

void TTesterWindow::FillLines() {
  const HWND list = Control(IDC_LINES);
  const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  std::size_t widest = 0;
  for (const TLineRow& row : file_.Rows) {
    const std::wstring text = RowText(row);
    widest = std::max(widest, text.size());
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  const HDC dc = GetDC(list);
  const HGDIOBJ previous = SelectObject(dc, monoFont_);
  SIZE one{};
  GetTextExtentPoint32W(dc, L"0", 1, &one);
  SelectObject(dc, previous);
  ReleaseDC(list, dc);
  SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>((widest + 2) * one.cx), 0);
  SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(std::max<LRESULT>(top, 0)), 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void TTesterWindow::ShowLine(std::size_t row) {
  std::wstring shown;
  std::vector<std::size_t> byteOfColumn;
  if (row != std::string::npos) {
    // Character by character, so that each column knows its first byte
    // even where the code page gives a character two.
    const std::string& bytes = file_.Rows[row].Text;
    for (std::size_t at = 0; at < bytes.size();) {
      const std::size_t size = IsDBCSLeadByte(static_cast<BYTE>(bytes[at])) && at + 1 < bytes.size() ? 2 : 1;
      std::wstring character = Wide(std::string_view(bytes).substr(at, size));
      ShowControls(character);
      shown += character.empty() ? L"?" : character.substr(0, 1);
      byteOfColumn.push_back(at);
      at += size;
    }
    byteOfColumn.push_back(bytes.size());
  }
  shownRow_ = row;
  byteOfColumn_ = std::move(byteOfColumn);
  if (shown != lineShown_) {
    lineShown_ = std::move(shown);
    SetDlgItemTextW(dialog_, IDC_LINE_TEXT, lineShown_.c_str());
    firstVisible_ = -1;
  }
  UpdateRuler();
}

void TTesterWindow::SelectCut(const tool::TExplained& explained) {
  DWORD start = 0, end = 0;
  if (const auto cut = CutBytes(explained); cut && shownRow_ != std::string::npos) {
    const auto column = [&](std::size_t byte) {
      return static_cast<DWORD>(std::lower_bound(byteOfColumn_.begin(), byteOfColumn_.end(), byte) -
                                byteOfColumn_.begin());
    };
    start = column(cut->first);
    end = column(cut->first + cut->second);
  }
  SendDlgItemMessageW(dialog_, IDC_LINE_TEXT, EM_SETSEL, start, end);
  selectionStart_ = start;
  selectionEnd_ = end;
  UpdateRuler();
}

void TTesterWindow::UpdateRuler() {
  const int first = static_cast<int>(SendDlgItemMessageW(dialog_, IDC_LINE_TEXT, EM_GETFIRSTVISIBLELINE, 0, 0));
  if (first == firstVisible_) return;
  firstVisible_ = first;
  std::vector<std::size_t> columns = byteOfColumn_;
  if (!columns.empty()) columns.pop_back();  // the size is no column
  const std::wstring ruler = columns.empty() ? L"" : RulerText(columns, static_cast<std::size_t>(first));
  SetDlgItemTextW(dialog_, IDC_RULER, ruler.c_str());
}

void TTesterWindow::OnLinePicked() {
  const LRESULT picked = SendDlgItemMessageW(dialog_, IDC_LINES, LB_GETCURSEL, 0, 0);
  if (picked < 0 || static_cast<std::size_t>(picked) >= file_.Rows.size()) return;
  const TLineRow& row = file_.Rows[static_cast<std::size_t>(picked)];
  // The last line keeps LINE=0 when the reading counts from the end.
  const std::optional<std::string> line = LineValueOf(row, lineValue_ == "0");
  if (!line) {
    // A gap or a note, or a line no LINE can select: the selection goes back.
    SendDlgItemMessageW(dialog_, IDC_LINES, LB_SETCURSEL,
                        shownRow_ == std::string::npos ? -1 : static_cast<WPARAM>(shownRow_), 0);
    return;
  }
  SetFields({{TQueryKey::Line, *line}});
}

void TTesterWindow::OnSpanPicked() {
  if (shownRow_ == std::string::npos || byteOfColumn_.empty()) return;
  const std::size_t columns = byteOfColumn_.size() - 1;
  const std::size_t start = std::min<std::size_t>(selectionStart_, columns);
  const std::size_t end = std::min<std::size_t>(selectionEnd_, columns);
  if (end <= start) return;  // a click without a span changes nothing
  const std::size_t first = byteOfColumn_[start];
  const bool toEnd = end == columns && !file_.Rows[shownRow_].CutShort;
  const auto [startValue, lengthValue] = CutValuesOf(first, byteOfColumn_[end] - first, toEnd);
  SetFields({{TQueryKey::Start, startValue}, {TQueryKey::Length, lengthValue}});
}

void TTesterWindow::OnFromEnd() {
  if (shownRow_ == std::string::npos) return;
  const bool fromEnd = IsDlgButtonChecked(dialog_, IDC_FROM_END) == BST_CHECKED;
  if (const auto line = LineValueOf(file_.Rows[shownRow_], fromEnd)) SetFields({{TQueryKey::Line, *line}});
}

void TTesterWindow::OnToEnd() {
  if (shownRow_ == std::string::npos || byteOfColumn_.empty()) return;
  const bool toEnd = IsDlgButtonChecked(dialog_, IDC_TO_END) == BST_CHECKED;
  const std::size_t first = byteOfColumn_[std::min<std::size_t>(selectionStart_, byteOfColumn_.size() - 1)];
  const std::size_t end = byteOfColumn_[std::min<std::size_t>(selectionEnd_, byteOfColumn_.size() - 1)];
  const auto [startValue, lengthValue] = CutValuesOf(first, end > first ? end - first : 0, toEnd);
  SetFields({{TQueryKey::Start, startValue}, {TQueryKey::Length, lengthValue}});
}

void TTesterWindow::UseSturdier() {
  if (!file_.Sturdier) return;
  SetFields({{TQueryKey::Start, std::to_string(file_.Sturdier->first)},
             {TQueryKey::Length, std::to_string(file_.Sturdier->second)}});
}

void TTesterWindow::AfterLineTextMessage() {
  UpdateRuler();
  DWORD start = 0, end = 0;
  SendDlgItemMessageW(dialog_, IDC_LINE_TEXT, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                      reinterpret_cast<LPARAM>(&end));
  if (start == selectionStart_ && end == selectionEnd_) return;
  // A span is taken once it is made: the mouse let go, Shift released.
  if (updating_ || KeyDown(VK_LBUTTON) || KeyDown(VK_SHIFT)) return;
  selectionStart_ = start;
  selectionEnd_ = end;
  OnSpanPicked();
}

LRESULT CALLBACK TTesterWindow::LineTextProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR window) {
  const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(edit, &LineTextProc, 0);
    return result;
  }
  // What can move the selection or the text's scroll: the user's input and
  // EM_SETSEL. Not the messages the tester itself sends to read them.
  switch (message) {
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_HSCROLL:
    case WM_SIZE:
    case EM_SETSEL: break;
    default: return result;
  }
  // Nothing may unwind into the system's dispatch of a message.
  try {
    reinterpret_cast<TTesterWindow*>(window)->AfterLineTextMessage();
  } catch (const std::exception& failure) {
    MessageBoxW(GetParent(edit), Wide(failure.what()).c_str(), L"Filedata Tester", MB_OK | MB_ICONERROR);
  }
  return result;
}

}  // namespace filedata::tester
