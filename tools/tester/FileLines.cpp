// The file's lines as the plug-in itself reads them, beside the fields:
// clicking a line sets LINE, selecting a span of it sets START and LENGTH
// (bytes of the plug-in's 8-bit text, whole characters of its code page),
// and a reading that cuts anew selects what the plug-in cut. A person's
// choice is theirs: while the mouse is held or Shift extends a selection,
// readings leave the list, the line and the fields alone, and the choice
// is taken when the mouse is let go or Shift released. The rules are all
// the plug-in's: the tester only maps its clicks to parameters.
#include "tools/tester/TesterWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "platform/Platform.h"
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
  SetWindowSubclass(Control(IDC_LINES), &LinesProc, 0, reinterpret_cast<DWORD_PTR>(this));
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
  file_ = std::move(file);
  lineValue_ = ParameterOf(explained, "line");
  updating_ = true;
  SetText(IDC_FILE_NOTES, Wide(notes));
  if (!sameRows) FillLines();
  const std::size_t row = SelectedRow(file_, explained);
  const auto cut = CutBytes(explained);
  // Selected anew only when the reading's line or cut is new, or the rows
  // are: a person's caret stays where they clicked.
  const bool reselect = !sameRows || row != selectedRow_ || cut != selectedCut_;
  selectedRow_ = row;
  selectedCut_ = cut;
  if (reselect) {
    SendDlgItemMessageW(dialog_, IDC_LINES, LB_SETCURSEL, row == std::string::npos ? -1 : static_cast<WPARAM>(row), 0);
  }
  ShowLine(row);
  if (reselect) SelectCut(explained);
  const bool last = row != std::string::npos && file_.Rows[row].FromEnd == 0;
  const bool fromEnd = lineValue_ == "0";
  CheckDlgButton(dialog_, IDC_FROM_END, fromEnd ? BST_CHECKED : BST_UNCHECKED);
  const bool canFromEnd = last && file_.Rows[row].Number != 0;
  if (!canFromEnd) KeepFocusFrom(Control(IDC_FROM_END));
  EnableWindow(Control(IDC_FROM_END), canFromEnd);
  CheckDlgButton(dialog_, IDC_TO_END, CutsToLineEnd(explained) ? BST_CHECKED : BST_UNCHECKED);
  if (row == std::string::npos) KeepFocusFrom(Control(IDC_TO_END));
  EnableWindow(Control(IDC_TO_END), row != std::string::npos);
  SetText(IDC_PICK_NOTE,
          Wide(row == std::string::npos ? "" : fromEnd ? file_.FromEndChoice : file_.FromStartChoice));
  // A fragile cut's advice in bold: it is why the reading may go wrong.
  const HFONT adviceFont = file_.Fragile ? boldFont_ : reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0));
  if (reinterpret_cast<HFONT>(SendDlgItemMessageW(dialog_, IDC_ADVICE, WM_GETFONT, 0, 0)) != adviceFont) {
    SendDlgItemMessageW(dialog_, IDC_ADVICE, WM_SETFONT, reinterpret_cast<WPARAM>(adviceFont), TRUE);
    FitText(IDC_ADVICE);  // bold words take more room
  }
  SetText(IDC_ADVICE, Wide(file_.Advice));
  const bool sturdier = file_.Sturdier.has_value();
  const std::wstring use =
      sturdier ? Wide("&Use " + CutWords(file_.Sturdier->first, file_.Sturdier->second)) : std::wstring();
  const bool buttonChanged =
      sturdier != Shown(Control(IDC_STURDIER)) || (sturdier && use != tool::TextOf(Control(IDC_STURDIER)));
  if (!sturdier) KeepFocusFrom(Control(IDC_STURDIER));
  if (sturdier) SetDlgItemTextW(dialog_, IDC_STURDIER, use.c_str());
  ShowWindow(Control(IDC_STURDIER), sturdier ? SW_SHOW : SW_HIDE);
  updating_ = false;
  // The texts keep their rooms, so nothing else moves; the button is as
  // wide as its words.
  if (buttonChanged) Layout();
}

void TTesterWindow::SetText(int id, const std::wstring& text) {
  if (text == tool::TextOf(Control(id))) return;
  SetDlgItemTextW(dialog_, id, text.c_str());
  FitText(id);
}

void TTesterWindow::FitText(int id) {
  const HWND control = Control(id);
  RECT window;
  GetWindowRect(control, &window);
  // Measured at the width without the bar: words that fit so need none.
  const int margins = 2 * GetSystemMetrics(SM_CXEDGE);
  ShowScrollBar(control, SB_VERT,
                TextHeight(control, window.right - window.left - margins) > window.bottom - window.top);
}

void TTesterWindow::KeepFocusFrom(HWND control) {
  if (GetFocus() != control) return;
  SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(IDC_LINE_TEXT)), TRUE);
}

bool TTesterWindow::Choosing() const {
  const HWND capture = GetCapture(), focus = GetFocus();
  const HWND text = Control(IDC_LINE_TEXT), lines = Control(IDC_LINES);
  if (capture && (capture == text || capture == lines)) return true;
  return KeyDown(VK_SHIFT) && (focus == text || focus == lines);
}

void TTesterWindow::OnChoiceEnded() {
  if (Choosing()) return;
  if (lineWaits_) {
    lineWaits_ = false;
    OnLinePicked();
  }
  DWORD start = 0, end = 0;
  SendDlgItemMessageW(dialog_, IDC_LINE_TEXT, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                      reinterpret_cast<LPARAM>(&end));
  if (start != selectionStart_ || end != selectionEnd_) {
    selectionStart_ = start;
    selectionEnd_ = end;
    if (end > start) {
      OnSpanPicked();  // reads anew, and shows that reading
      return;
    }
  }
  if (readingWaits_) {
    readingWaits_ = false;
    ShowFile(lastReading_);
  }
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
  TLineColumns columns;
  if (row != std::string::npos) {
    // Character by character, as the code page has them, so that each
    // column knows its character's bytes.
    const std::string_view bytes = file_.Rows[row].Text;
    for (std::size_t at = 0; at < bytes.size();) {
      const std::size_t size = platform::CharacterSize(bytes, at);
      std::wstring character = Wide(bytes.substr(at, size));
      if (character.empty()) character = L"?";
      ShowControls(character);
      shown += character;
      columns.Add(at, character.size());
      at += size;
    }
    columns.End(bytes.size());
  }
  shownRow_ = row;
  columns_ = std::move(columns);
  if (shown != lineShown_) {
    lineShown_ = std::move(shown);
    SetDlgItemTextW(dialog_, IDC_LINE_TEXT, lineShown_.c_str());
    firstVisible_ = -1;
  }
  UpdateRuler();
}

void TTesterWindow::SelectCut(const tool::TExplained& explained) {
  std::pair<std::size_t, std::size_t> selection{0, 0};
  if (const auto cut = CutBytes(explained); cut && shownRow_ != std::string::npos) {
    selection = columns_.ColumnsOf(cut->first, cut->first + cut->second);
  }
  const auto start = static_cast<DWORD>(selection.first), end = static_cast<DWORD>(selection.second);
  SendDlgItemMessageW(dialog_, IDC_LINE_TEXT, EM_SETSEL, start, end);
  selectionStart_ = start;
  selectionEnd_ = end;
  UpdateRuler();
}

void TTesterWindow::UpdateRuler() {
  const int first = static_cast<int>(SendDlgItemMessageW(dialog_, IDC_LINE_TEXT, EM_GETFIRSTVISIBLELINE, 0, 0));
  if (first == firstVisible_) return;
  firstVisible_ = first;
  InvalidateRect(Control(IDC_RULER), nullptr, TRUE);
}

void TTesterWindow::DrawRuler(const DRAWITEMSTRUCT& item) const {
  const HDC dc = item.hDC;
  FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  const HWND edit = Control(IDC_LINE_TEXT);
  if (columns_.Count() == 0) return;
  // Where the line field draws each column, in the ruler's own pixels.
  std::vector<int> xOfColumn;
  POINT offset{0, 0};
  MapWindowPoints(edit, item.hwndItem, &offset, 1);
  for (std::size_t column = 0; column <= columns_.Count(); ++column) {
    const LRESULT at = SendMessageW(edit, EM_POSFROMCHAR, column, 0);
    if (at == -1) break;
    xOfColumn.push_back(static_cast<short>(LOWORD(at)) + offset.x);
  }
  if (xOfColumn.size() == columns_.Count()) {
    // Past the last column: where its character ends.
    SIZE size{};
    const HGDIOBJ font = SelectObject(dc, monoFont_);
    GetTextExtentPoint32W(dc, lineShown_.c_str() + columns_.Count() - 1, 1, &size);
    SelectObject(dc, font);
    xOfColumn.push_back(xOfColumn.back() + size.cx);
  }
  const std::vector<TRulerMark> marks = RulerMarks(columns_, xOfColumn);
  const HGDIOBJ previous = SelectObject(dc, monoFont_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  const HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
  const HGDIOBJ oldPen = SelectObject(dc, pen);
  const int bottom = item.rcItem.bottom, height = item.rcItem.bottom - item.rcItem.top;
  int labelEnd = -1;
  for (std::size_t i = 0; i < marks.size(); ++i) {
    const int left = marks[i].X, right = i + 1 < marks.size() ? marks[i + 1].X : xOfColumn.back();
    const int x = (left + right) / 2;
    if (x < item.rcItem.left || x >= item.rcItem.right) continue;
    const bool tall = marks[i].Labelled || marks[i].Position % 5 == 0;
    MoveToEx(dc, x, bottom - (tall ? height / 3 : height / 6), nullptr);
    LineTo(dc, x, bottom);
    if (!marks[i].Labelled || left <= labelEnd) continue;
    const std::wstring label = std::to_wstring(marks[i].Position);
    SIZE size{};
    GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &size);
    TextOutW(dc, left, item.rcItem.top, label.c_str(), static_cast<int>(label.size()));
    labelEnd = left + size.cx;
  }
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  SelectObject(dc, previous);
}

void TTesterWindow::OnLinePicked() {
  const LRESULT picked = SendDlgItemMessageW(dialog_, IDC_LINES, LB_GETCURSEL, 0, 0);
  if (picked < 0 || static_cast<std::size_t>(picked) >= file_.Rows.size()) return;
  if (GetCapture() == Control(IDC_LINES)) {
    lineWaits_ = true;  // taken when the mouse is let go
    return;
  }
  const TLineRow& row = file_.Rows[static_cast<std::size_t>(picked)];
  // The last line offers LINE=0 first: a log that grows wants it; the box
  // under the line then switches to its number.
  const std::optional<std::string> line = LineValueOf(row, true);
  if (!line) {
    // A gap or a note, or a line no LINE can select: the selection goes back.
    SendDlgItemMessageW(dialog_, IDC_LINES, LB_SETCURSEL,
                        shownRow_ == std::string::npos ? -1 : static_cast<WPARAM>(shownRow_), 0);
    return;
  }
  SetFields({{TQueryKey::Line, *line}});
}

void TTesterWindow::OnSpanPicked() {
  if (shownRow_ == std::string::npos || columns_.Count() == 0) return;
  const auto [first, end] = columns_.BytesOf(selectionStart_, selectionEnd_);
  if (end <= first) return;  // a click without a span changes nothing
  const bool toEnd = end == columns_.ByteOf(columns_.Count()) && !file_.Rows[shownRow_].CutShort;
  const auto [startValue, lengthValue] = CutValuesOf(first, end - first, toEnd);
  SetFields({{TQueryKey::Start, startValue}, {TQueryKey::Length, lengthValue}});
}

void TTesterWindow::OnFromEnd() {
  if (shownRow_ == std::string::npos) return;
  const bool fromEnd = IsDlgButtonChecked(dialog_, IDC_FROM_END) == BST_CHECKED;
  if (const auto line = LineValueOf(file_.Rows[shownRow_], fromEnd)) SetFields({{TQueryKey::Line, *line}});
}

void TTesterWindow::OnToEnd() {
  if (shownRow_ == std::string::npos || columns_.Count() == 0) return;
  const bool toEnd = IsDlgButtonChecked(dialog_, IDC_TO_END) == BST_CHECKED;
  const auto [first, end] = columns_.BytesOf(selectionStart_, selectionEnd_);
  const auto [startValue, lengthValue] = CutValuesOf(first, end - first, toEnd);
  SetFields({{TQueryKey::Start, startValue}, {TQueryKey::Length, lengthValue}});
}

void TTesterWindow::UseSturdier() {
  if (!file_.Sturdier) return;
  // The button goes once its cut is taken: the focus goes to the line that
  // shows the new cut, not to the first field, which a key would overwrite.
  KeepFocusFrom(Control(IDC_STURDIER));
  SetFields({{TQueryKey::Start, std::to_string(file_.Sturdier->first)},
             {TQueryKey::Length, std::to_string(file_.Sturdier->second)}});
}

namespace {
// A person's gesture in the line text or the list ends with one of these.
bool EndsChoice(UINT message) {
  return message == WM_LBUTTONUP || message == WM_CAPTURECHANGED ||
         (message == WM_KEYUP && !KeyDown(VK_SHIFT));
}

template <class Action>
void Guarded(HWND control, Action&& action) {
  // Nothing may unwind into the system's dispatch of a message.
  try {
    action();
  } catch (const std::exception& failure) {
    MessageBoxW(GetParent(control), Wide(failure.what()).c_str(), L"Filedata Tester", MB_OK | MB_ICONERROR);
  }
}
}  // namespace

LRESULT CALLBACK TTesterWindow::LineTextProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR window) {
  LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
  auto& tester = *reinterpret_cast<TTesterWindow*>(window);
  switch (message) {
    case WM_NCDESTROY: RemoveWindowSubclass(edit, &LineTextProc, 0); break;
    // Tab into the field must not select all of it: focus is no choice.
    case WM_GETDLGCODE: result &= ~DLGC_HASSETSEL; break;
    // What moves the text's scroll, and so the ruler.
    case WM_MOUSEMOVE:
    case WM_KEYDOWN:
    case WM_HSCROLL:
    case WM_SIZE:
    case EM_SETSEL: Guarded(edit, [&] { tester.UpdateRuler(); }); break;
    default:
      if (EndsChoice(message)) {
        Guarded(edit, [&] {
          tester.UpdateRuler();
          tester.OnChoiceEnded();
        });
      }
      break;
  }
  return result;
}

LRESULT CALLBACK TTesterWindow::LinesProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR window) {
  const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(list, &LinesProc, 0);
  } else if (EndsChoice(message)) {
    Guarded(list, [&] { reinterpret_cast<TTesterWindow*>(window)->OnChoiceEnded(); });
  }
  return result;
}

}  // namespace filedata::tester
