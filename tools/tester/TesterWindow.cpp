#include "tools/tester/TesterWindow.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstring>
#include <exception>

#include "descriptor/DescriptorTables.h"
#include "tools/common/QueryOutcome.h"
#include "tools/tester/TesterResources.h"
#include "tools/common/win32/WideText.h"

namespace filedata::tester {

using tool::Ansi;
using tool::TextOf;
using tool::Wide;

namespace {
constexpr UINT_PTR kReadingTimer = 1;
constexpr unsigned kDefaultSeconds = 1;
// The letters of the tester's own labels and buttons, which the
// parameters' labels leave to them.
constexpr char kOwnMnemonics[] = "XCENWABIDTU";

// The time of day, as the reading's last change is shown.
std::wstring TimeOfDay() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  wchar_t text[16];
  wsprintfW(text, L"%02u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
  return text;
}
}  // namespace

TTesterWindow::TTesterWindow(host::TLoadedPlugIn& plugIn, tool::TDescription description,
                             const std::optional<std::string>& params)
    : plugIn_(plugIn),
      description_(std::move(description)),
      fields_(FieldsOf(description_, kOwnMnemonics)),
      initialValues_(InitialValues(params)) {}

std::vector<std::string> TTesterWindow::InitialValues(const std::optional<std::string>& params) {
  if (!plugIn_.CanExplain()) note_ = Wide(CannotExplainNote(params.has_value()));
  if (!params || !plugIn_.CanExplain()) return DefaultValues(fields_);
  return ValuesFrom(fields_, tool::Explain(plugIn_, *params));
}

TTesterWindow::~TTesterWindow() {
  if (valueFont_) DeleteObject(valueFont_);
  if (boldFont_) DeleteObject(boldFont_);
  if (monoFont_) DeleteObject(monoFont_);
}

void TTesterWindow::Run(HINSTANCE instance) {
  instance_ = instance;
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_TESTER), nullptr, &DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK TTesterWindow::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
  auto* window = reinterpret_cast<TTesterWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (!window) return FALSE;
  if (message == WM_INITDIALOG) window->dialog_ = dialog;
  // Nothing may unwind into the system's dispatch of a message.
  try {
    return window->OnMessage(message, wParam, lParam);
  } catch (const std::exception& failure) {
    MessageBoxW(dialog, Wide(failure.what()).c_str(), L"Filedata Tester", MB_OK | MB_ICONERROR);
  } catch (...) {
    MessageBoxW(dialog, L"Unexpected failure", L"Filedata Tester", MB_OK | MB_ICONERROR);
  }
  return TRUE;
}

INT_PTR TTesterWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_TIMER:
      if (wParam == kReadingTimer) Read();
      return TRUE;
    case WM_SIZE:
      Layout();
      return TRUE;
    case WM_GETMINMAXINFO:
      if (ready_) MinimumSize(*reinterpret_cast<MINMAXINFO*>(lParam));
      return TRUE;
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(dialog_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      CreateFonts();
      Layout();
      return TRUE;
    }
    case WM_MEASUREITEM:
      MeasureRow(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item.CtlID == IDC_RULER) DrawRuler(item);
      else DrawRow(item);
      return TRUE;
    }
    case WM_CLOSE:
      EndDialog(dialog_, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

void TTesterWindow::OnInitDialog() {
  wchar_t decimal[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8) > 1) decimal_ = Ansi(decimal);
  const std::wstring title = L"Filedata Tester - " + Wide(description_.Name) + L" " +
                             std::to_wstring(description_.VersionA) + L"/" + std::to_wstring(description_.VersionB);
  SetWindowTextW(dialog_, title.c_str());
  CreateFonts();
  CreateFieldRows();
  CreateLineControls();
  SendDlgItemMessageW(dialog_, IDC_INTERVAL_SPIN, UDM_SETRANGE32, 1, 3600);
  SendDlgItemMessageW(dialog_, IDC_INTERVAL_SPIN, UDM_SETPOS32, 0, kDefaultSeconds);
  SendDlgItemMessageW(dialog_, IDC_VALUE, WM_SETFONT, reinterpret_cast<WPARAM>(valueFont_), FALSE);
  for (std::size_t i = 0; i < fields_.size() && i < initialValues_.size(); ++i) {
    SetDlgItemTextW(dialog_, IDC_FIELD_EDIT + static_cast<int>(i), Wide(initialValues_[i]).c_str());
  }
  SetDlgItemTextW(dialog_, IDC_NOTE, note_.c_str());
  ready_ = true;
  Layout();
  Read();
  RestartTimer();
}

void TTesterWindow::OnCommand(WORD id, WORD code) {
  if (id >= IDC_FIELD_EDIT && id < IDC_FIELD_EDIT + fields_.size()) {
    if (code == EN_CHANGE && ready_) Read();
    return;
  }
  if (id >= IDC_FIELD_BROWSE && id < IDC_FIELD_BROWSE + fields_.size()) {
    if (code == BN_CLICKED) Browse(id - IDC_FIELD_BROWSE);
    return;
  }
  switch (id) {
    case IDOK: Read(); break;
    case IDCANCEL: EndDialog(dialog_, IDCANCEL); break;
    case IDC_COPY: CopyParamText(); break;
    case IDC_ABOUT: ShowAbout(); break;
    case IDC_LINES:
      if (code == LBN_SELCHANGE) OnLinePicked();
      break;
    case IDC_FROM_END: OnFromEnd(); break;
    case IDC_TO_END: OnToEnd(); break;
    case IDC_STURDIER: UseSturdier(); break;
    case IDC_INTERVAL:
      if (code == EN_CHANGE && ready_) RestartTimer();
      break;
    default: break;
  }
}

std::vector<std::string> TTesterWindow::Values() const {
  std::vector<std::string> values;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    values.push_back(Ansi(TextOf(Control(IDC_FIELD_EDIT + static_cast<int>(i)))));
  }
  return values;
}

void TTesterWindow::Read() {
  if (updating_) return;  // fields set together read once, after the last
  const std::string params = ParamText(fields_, Values());
  SetDlgItemTextW(dialog_, IDC_PARAMTEXT, Wide(params).c_str());
  // One call a reading: the plug-in's answer, the steps behind it and the
  // file's lines, from one open of the file.
  tool::TExplained explained;
  if (plugIn_.CanView()) {
    explained = tool::ExplainWithView(plugIn_, params);
  } else if (plugIn_.CanExplain()) {
    explained = tool::Explain(plugIn_, params);
  } else {
    explained.Outcome = tool::AskQuery(plugIn_, params);
  }
  const TReadingView view = ViewOf(explained.Outcome);
  if (!shown_ || *shown_ != view) {
    ShowValue(explained.Outcome, view);
    SetDlgItemTextW(dialog_, IDC_CHANGED, (L"Last change at " + TimeOfDay()).c_str());
    shown_ = view;
  }
  ShowExplanation(explained);
  if (!helpTold_ && !explained.Steps.empty()) ShowFieldHelp(explained);
  // The list, the line and the fields wait while a person chooses in them.
  lastReading_ = std::move(explained);
  readingWaits_ = Choosing();
  if (!readingWaits_) ShowFile(lastReading_);
}

void TTesterWindow::ShowFieldHelp(const tool::TExplained& explained) {
  helpTold_ = true;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    SetDlgItemTextW(dialog_, IDC_FIELD_HELP + static_cast<int>(i), Wide(FieldHelp(fields_[i], explained)).c_str());
  }
  Layout();  // the words may take more lines
}

void TTesterWindow::ShowValue(const TQueryOutcome& outcome, const TReadingView& view) {
  std::string value = outcome.Result != hr::Ok ? "-" : view.Value;
  std::string status = view.Status;
  if (const auto local = LocalValue(outcome)) {
    value = *local;
    status += "; shown as your regional settings write numbers. The plug-in hands the host " + view.Value +
              ", as the parameter text and the steps below write numbers";
  }
  SetDlgItemTextW(dialog_, IDC_VALUE, Wide(value).c_str());
  SetDlgItemTextW(dialog_, IDC_STATUS, Wide(status).c_str());
}

std::optional<std::string> TTesterWindow::LocalValue(const TQueryOutcome& outcome) const {
  if (outcome.Result != hr::Ok || outcome.ValueKind != descriptor::kNumberKind || decimal_ == ".") return std::nullopt;
  return LocalNumber(ViewOf(outcome).Value, decimal_);
}

void TTesterWindow::RestartTimer() {
  const std::optional<unsigned> seconds = IntervalSeconds(Ansi(TextOf(Control(IDC_INTERVAL))));
  KillTimer(dialog_, kReadingTimer);
  SetTimer(dialog_, kReadingTimer, seconds.value_or(kDefaultSeconds) * 1000, nullptr);
}

void TTesterWindow::Browse(std::size_t field) {
  const HWND edit = Control(IDC_FIELD_EDIT + static_cast<int>(field));
  std::wstring file = TextOf(edit);
  file.resize(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = dialog_;
  dialog.lpstrFilter = L"Text files (*.txt, *.log, *.csv)\0*.txt;*.log;*.csv\0All files\0*.*\0";
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  // No readings while the dialog is open: it may move the current folder,
  // against which a relative file name would then be read.
  KillTimer(dialog_, kReadingTimer);
  const bool chosen = GetOpenFileNameW(&dialog);
  RestartTimer();
  if (chosen) SetWindowTextW(edit, file.c_str());  // its change reads anew
}

void TTesterWindow::CopyParamText() const {
  const std::wstring text = TextOf(Control(IDC_PARAMTEXT));
  if (!OpenClipboard(dialog_)) return;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
  }
  CloseClipboard();
}

}  // namespace filedata::tester
