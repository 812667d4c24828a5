// Where the tester's controls go: one row per parameter of the plug-in's
// own tables, made when the window opens, and every control placed anew
// from the window's size in dialog units, which follow the font and the
// monitor's DPI.
#include <algorithm>

#include "tools/tester/TesterResources.h"
#include "tools/tester/TesterWindow.h"
#include "tools/common/win32/WideText.h"

namespace filedata::tester {

using tool::TextOf;
using tool::Wide;

namespace {
// Dialog units: a quarter of the font's average width, an eighth of its height.
constexpr int kMargin = 7;
constexpr int kGap = 4;
constexpr int kRowHeight = 14;
constexpr int kTextHeight = 8;
constexpr int kButtonWidth = 50;
constexpr int kLabelWidth = 60;
constexpr int kPlainFieldWidth = 70;
constexpr int kIntervalWidth = 30;
constexpr int kSpinWidth = 11;
constexpr int kGroupCaption = 11;
constexpr int kValueHeight = 26;
constexpr int kListMinimum = 60;
constexpr int kMinimumWidth = 520;
constexpr int kLeftMinimum = 300;  // the fields and the reading
constexpr int kRightMinimum = 200;  // the file's lines
// The rooms of the texts beside the file's lines, in lines of text.
constexpr int kNotesLines = 3;
constexpr int kPickLines = 3;
constexpr int kAdviceLines = 4;

// A fixed-pitch face that holds the code page's characters, each wide one
// as wide as two narrow ones, as the system's own consoles show them.
const wchar_t* MonospaceFace(UINT codePage) {
  switch (codePage) {
    case 932: return L"MS Gothic";
    case 936: return L"NSimSun";
    case 949: return L"GulimChe";
    case 950: return L"MingLiU";
    default: return L"Courier New";
  }
}

void Place(HWND control, int x, int y, int width, int height) {
  SetWindowPos(control, nullptr, x, y, std::max(width, 0), std::max(height, 0), SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND MakeControl(HWND dialog, HWND after, const wchar_t* kind, const std::wstring& text, DWORD style, DWORD exStyle,
                 int id) {
  const HWND control =
      CreateWindowExW(exStyle, kind, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
  // Tab order is the order of the windows: the row goes after its group.
  SetWindowPos(control, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return control;
}
}  // namespace

int TTesterWindow::X(int dialogUnits) const {
  RECT rect{0, 0, dialogUnits, 0};
  MapDialogRect(dialog_, &rect);
  return rect.right;
}

int TTesterWindow::Y(int dialogUnits) const {
  RECT rect{0, 0, 0, dialogUnits};
  MapDialogRect(dialog_, &rect);
  return rect.bottom;
}

void TTesterWindow::CreateFonts() {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0)), sizeof font, &font);
  font.lfWeight = FW_BOLD;
  if (boldFont_) DeleteObject(boldFont_);
  boldFont_ = CreateFontIndirectW(&font);
  const LONG height = font.lfHeight;
  font.lfHeight = -Y(kValueHeight - 8);
  if (valueFont_) DeleteObject(valueFont_);
  valueFont_ = CreateFontIndirectW(&font);
  SendDlgItemMessageW(dialog_, IDC_VALUE, WM_SETFONT, reinterpret_cast<WPARAM>(valueFont_), TRUE);
  // The file's lines: every character as wide as the next, so that the
  // ruler's columns stay under them.
  font.lfHeight = height;
  font.lfWeight = FW_NORMAL;
  font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynW(font.lfFaceName, MonospaceFace(GetACP()), LF_FACESIZE);
  if (monoFont_) DeleteObject(monoFont_);
  monoFont_ = CreateFontIndirectW(&font);
  for (const int id : {IDC_LINES, IDC_RULER, IDC_LINE_TEXT}) {
    SendDlgItemMessageW(dialog_, id, WM_SETFONT, reinterpret_cast<WPARAM>(monoFont_), TRUE);
  }
}

void TTesterWindow::CreateFieldRows() {
  HWND after[2] = {Control(IDC_BASIC_GROUP), Control(IDC_ADVANCED_GROUP)};
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const TParamField& field = fields_[i];
    const int index = static_cast<int>(i);
    HWND& last = after[field.Table == TParamTable::Advanced ? 1 : 0];
    last = MakeControl(dialog_, last, L"STATIC", Wide(LabelOf(field)), SS_LEFT, 0, IDC_FIELD_LABEL + index);
    last = MakeControl(dialog_, last, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                       IDC_FIELD_EDIT + index);
    if (field.PicksFile) {
      last = MakeControl(dialog_, last, L"BUTTON", L"&Browse\u2026", WS_TABSTOP | BS_PUSHBUTTON, 0,
                         IDC_FIELD_BROWSE + index);
    }
    // The first reading tells the plug-in's words on the defaults.
    last = MakeControl(dialog_, last, L"STATIC", Wide(FieldHelp(field, tool::TExplained())), SS_LEFT | SS_NOPREFIX, 0,
                       IDC_FIELD_HELP + index);
  }
  ShowWindow(Control(IDC_ADVANCED_GROUP), HasAdvanced() ? SW_SHOW : SW_HIDE);
}

bool TTesterWindow::HasAdvanced() const {
  return std::any_of(fields_.begin(), fields_.end(),
                     [](const TParamField& field) { return field.Table == TParamTable::Advanced; });
}

int TTesterWindow::TextHeight(HWND control, int width) const {
  const std::wstring text = TextOf(control);
  if (text.empty()) return 0;
  const HDC dc = GetDC(control);
  const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT rect{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return rect.bottom - rect.top;
}

// The rows of one table from TOP, inside a group box as wide as WIDTH;
// returns the group's bottom.
int TTesterWindow::PlaceFieldRows(TParamTable table, int top, int width) {
  const int margin = X(kMargin), inner = X(kMargin) * 2, label = X(kLabelWidth), gap = X(kGap);
  const int fieldLeft = inner + label;
  const int right = width - inner;
  int y = top + Y(kGroupCaption);
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (fields_[i].Table != table) continue;
    const int index = static_cast<int>(i);
    const int browse = fields_[i].PicksFile ? X(kButtonWidth) + gap : 0;
    const int editWidth = fields_[i].PicksFile ? right - fieldLeft - browse : X(kPlainFieldWidth);
    Place(Control(IDC_FIELD_LABEL + index), inner, y + Y(3), label - gap, Y(kTextHeight));
    Place(Control(IDC_FIELD_EDIT + index), fieldLeft, y, editWidth, Y(kRowHeight));
    if (browse) Place(Control(IDC_FIELD_BROWSE + index), right - X(kButtonWidth), y, X(kButtonWidth), Y(kRowHeight));
    // The help goes beside a short field and under a long one.
    const HWND help = Control(IDC_FIELD_HELP + index);
    if (fields_[i].PicksFile) {
      y += Y(kRowHeight) + Y(2);
      const int height = TextHeight(help, right - fieldLeft);
      Place(help, fieldLeft, y, right - fieldLeft, height);
      y += height + Y(kGap + 2);
    } else {
      const int helpLeft = fieldLeft + editWidth + gap;
      const int height = TextHeight(help, right - helpLeft);
      Place(help, helpLeft, y + Y(3), right - helpLeft, height);
      y += std::max(Y(kRowHeight), height + Y(3)) + Y(kGap + 2);
    }
  }
  Place(Control(table == TParamTable::Advanced ? IDC_ADVANCED_GROUP : IDC_BASIC_GROUP), margin, top,
        width - 2 * margin, y - top);
  return y;
}

void TTesterWindow::Layout() {
  if (!ready_) return;
  RECT client;
  GetClientRect(dialog_, &client);
  const int height = client.bottom;
  const int margin = X(kMargin), gap = Y(kGap), row = Y(kRowHeight), button = X(kButtonWidth);
  const int label = X(kLabelWidth), text = Y(kTextHeight);
  const int buttonsTop = height - margin - row;
  // The fields and the reading on the left, the file's lines on the right.
  const int inner = client.right - 3 * margin;
  const int width = margin * 2 + std::clamp(inner * 11 / 20, X(kLeftMinimum), std::max(inner - X(kRightMinimum), X(kLeftMinimum)));
  int y = PlaceFieldRows(TParamTable::Basic, Y(kMargin), width) + gap;
  if (HasAdvanced()) y = PlaceFieldRows(TParamTable::Advanced, y, width) + gap;
  y += gap;

  const int fieldLeft = margin + label;
  Place(Control(IDC_PARAMTEXT_LABEL), margin, y + Y(3), label - X(kGap), text);
  Place(Control(IDC_PARAMTEXT), fieldLeft, y, width - fieldLeft - margin - button - X(kGap), row);
  Place(Control(IDC_COPY), width - margin - button, y, button, row);
  y += row + gap;
  Place(Control(IDC_INTERVAL_LABEL), margin, y + Y(3), label - X(kGap), text);
  Place(Control(IDC_INTERVAL), fieldLeft, y, X(kIntervalWidth), row);
  Place(Control(IDC_INTERVAL_SPIN), fieldLeft + X(kIntervalWidth), y, X(kSpinWidth), row);
  Place(Control(IDC_INTERVAL_UNIT), fieldLeft + X(kIntervalWidth + kSpinWidth + kGap), y + Y(3), X(60), text);
  Place(Control(IDOK), width - margin - button, y, button, row);
  y += row + Y(kGap * 2);

  const int inside = width - 2 * margin;
  Place(Control(IDC_VALUE), margin, y, inside, Y(kValueHeight));
  y += Y(kValueHeight);
  // Two lines' room, so that a long failure wraps and the list stays put.
  Place(Control(IDC_STATUS), margin, y, inside, 2 * text);
  y += 2 * text + Y(2);
  Place(Control(IDC_CHANGED), margin, y, inside, text);
  y += text + Y(2);
  const int note = TextHeight(Control(IDC_NOTE), inside);
  Place(Control(IDC_NOTE), margin, y, inside, note);
  y += note + gap;
  Place(Control(IDC_WHY_LABEL), margin, y, inside, text);
  y += text + Y(2);

  Place(Control(IDC_EXPLANATION), margin, y, inside, std::max(buttonsTop - gap - y, Y(kListMinimum)));
  RECT list;
  GetClientRect(Control(IDC_EXPLANATION), &list);
  if (list.right != listWidth_ && !rows_.empty()) FillExplanation();  // the words wrap anew
  PlaceLineControls(width, client.right - margin, buttonsTop - gap);
  Place(Control(IDC_ABOUT), client.right - margin - 2 * button - X(kGap), buttonsTop, button, row);
  Place(Control(IDCANCEL), client.right - margin - button, buttonsTop, button, row);
  InvalidateRect(dialog_, nullptr, TRUE);
}

// The file's lines between LEFT and RIGHT, down to BOTTOM: the list takes
// what the others leave. Each text has a room of its own whatever its
// words, and scrolls when they do not fit, so that no reading moves the
// line under the mouse.
void TTesterWindow::PlaceLineControls(int left, int right, int bottom) {
  const int width = right - left, gap = Y(kGap), row = Y(kRowHeight), text = Y(kTextHeight);
  const int edge = GetSystemMetrics(SM_CXEDGE);
  int y = Y(kMargin);
  Place(Control(IDC_LINES_LABEL), left, y, width, text);
  y += text + Y(2);
  Place(Control(IDC_FILE_NOTES), left, y, width, kNotesLines * text);
  y += kNotesLines * text + gap;
  // From the bottom up: the offered cut's button, the advice, the note on
  // the pick, the two choices, the line with its ruler.
  int under = bottom - row;
  const int use = std::min(width, std::max(X(kButtonWidth), TextWidth(Control(IDC_STURDIER)) + X(12)));
  Place(Control(IDC_STURDIER), right - use, under, use, row);
  under -= Y(2) + kAdviceLines * text;
  Place(Control(IDC_ADVICE), left, under, width, kAdviceLines * text);
  under -= gap + kPickLines * text;
  Place(Control(IDC_PICK_NOTE), left, under, width, kPickLines * text);
  under -= Y(2) + Y(10);
  Place(Control(IDC_TO_END), left, under, width, Y(10));
  under -= Y(2) + Y(10);
  Place(Control(IDC_FROM_END), left, under, width, Y(10));
  under -= gap + row;
  Place(Control(IDC_LINE_TEXT), left, under, width, row);
  const int rulerHeight = 2 * text;
  under -= rulerHeight;
  Place(Control(IDC_RULER), left + edge, under, width - 2 * edge, rulerHeight);
  InvalidateRect(Control(IDC_RULER), nullptr, TRUE);
  Place(Control(IDC_LINES), left, y, width, std::max(under - gap - y, Y(kListMinimum)));
  for (const int id : {IDC_FILE_NOTES, IDC_PICK_NOTE, IDC_ADVICE}) FitText(id);
}

int TTesterWindow::TextWidth(HWND control) const {
  std::wstring text = TextOf(control);
  text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
  const HDC dc = GetDC(control);
  const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return size.cx;
}

void TTesterWindow::MinimumSize(MINMAXINFO& info) const {
  // Wide enough for the buttons and the file field, tall enough that the
  // explanation keeps some rows.
  RECT list;
  GetWindowRect(Control(IDC_EXPLANATION), &list);
  MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&list), 2);
  RECT frame{0, 0, X(kMinimumWidth), list.top + Y(kListMinimum + kGap + kMargin + kRowHeight)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(dialog_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(dialog_, GWL_EXSTYLE)));
  info.ptMinTrackSize.x = frame.right - frame.left;
  info.ptMinTrackSize.y = frame.bottom - frame.top;
}

}  // namespace filedata::tester
