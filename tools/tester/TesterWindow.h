#pragma once
// The tester's main window: the plug-in's own parameter editor, the
// parameter text it makes, a reading at once and then every few seconds,
// and the steps of the query that explain it.
#include <windows.h>

#include <optional>
#include <utility>
#include <string>
#include <vector>

#include "tools/common/Description.h"
#include "tools/common/Explain.h"
#include "tools/plugin-host/LoadedPlugIn.h"
#include "tools/tester/TesterModel.h"

namespace filedata::tester {

class TTesterWindow {
 public:
  // PLUGIN is asked for every reading and its explanation; DESCRIPTION is
  // what it told about itself; PARAMS fill the fields as PLUGIN reads them
  // (none: the plug-in's defaults do).
  TTesterWindow(host::TLoadedPlugIn& plugIn, tool::TDescription description,
                const std::optional<std::string>& params);
  TTesterWindow(const TTesterWindow&) = delete;
  TTesterWindow& operator=(const TTesterWindow&) = delete;
  ~TTesterWindow();

  // Shows the window until it is closed.
  void Run(HINSTANCE instance);

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog();
  void OnCommand(WORD id, WORD code);

  // TesterLayout.cpp
  void CreateFieldRows();
  void CreateFonts();
  void Layout();
  void MinimumSize(MINMAXINFO& info) const;
  int X(int dialogUnits) const;
  int Y(int dialogUnits) const;
  int PlaceFieldRows(TParamTable table, int top, int width);
  void PlaceLineControls(int left, int right, int bottom);
  int TextHeight(HWND control, int width) const;
  int TextWidth(HWND control) const;  // of its words on one line, without the mnemonic's "&"
  bool HasAdvanced() const;

  // ExplanationList.cpp
  void ShowExplanation(const tool::TExplained& explained);
  // Puts rows_ into the list anew, each as high as its words at its width.
  void FillExplanation();
  void MeasureRow(MEASUREITEMSTRUCT& item) const;
  void DrawRow(const DRAWITEMSTRUCT& item) const;

  // FileLines.cpp: the file's lines, and a reading set up by pointing at them.
  void CreateLineControls();
  void ShowFile(const tool::TExplained& explained);
  void FillLines();
  void ShowLine(std::size_t row);
  void SelectCut(const tool::TExplained& explained);
  void UpdateRuler();
  void DrawRuler(const DRAWITEMSTRUCT& item) const;
  // Whether a person is making a choice in the line list or the line text:
  // a mouse button held there, or Shift held while extending a selection.
  bool Choosing() const;
  // The mouse let go or Shift released: the choice is taken, or the reading
  // that waited for it is shown.
  void OnChoiceEnded();
  // Moves the focus to the line text before CONTROL, which has it, is
  // hidden or disabled: the dialog would put it in the first field.
  void KeepFocusFrom(HWND control);
  // Sets the read-only text ID when it changes; FitText shows its vertical
  // scroll bar when its words do not fit its room.
  void SetText(int id, const std::wstring& text);
  void FitText(int id);
  void OnLinePicked();
  void OnSpanPicked();
  void OnFromEnd();
  void OnToEnd();
  void UseSturdier();
  static LRESULT CALLBACK LineTextProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR window);
  static LRESULT CALLBACK LinesProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR window);
  // The field of KEY, if the plug-in has one.
  std::optional<std::size_t> FieldOf(TQueryKey key) const;
  // Sets the fields of VALUES and reads once, after the last.
  void SetFields(const std::vector<std::pair<TQueryKey, std::string>>& values);

  // AboutBox.cpp
  void ShowAbout() const;

  void Read();
  // The reading's value as the user's regional settings write numbers, and
  // the line under it saying which form is which.
  void ShowValue(const TQueryOutcome& outcome, const TReadingView& view);
  // A number answer as the user's regional settings write it, where that
  // differs from the plug-in's form; nothing else.
  std::optional<std::string> LocalValue(const TQueryOutcome& outcome) const;
  // The fields' help with the plug-in's words on their defaults, once.
  void ShowFieldHelp(const tool::TExplained& explained);
  void RestartTimer();
  void Browse(std::size_t field);
  void CopyParamText() const;
  std::vector<std::string> Values() const;
  HWND Control(int id) const { return GetDlgItem(dialog_, id); }
  // Shown once the window is: IsWindowVisible says no while the window
  // itself is still hidden, as it is while its controls are first placed.
  static bool Shown(HWND control) { return (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0; }

  // The fields' first values: PARAMS as the plug-in reads it, else the defaults.
  std::vector<std::string> InitialValues(const std::optional<std::string>& params);

  host::TLoadedPlugIn& plugIn_;
  const tool::TDescription description_;
  const std::vector<TParamField> fields_;
  std::wstring note_;  // under the value: why the steps are missing; set with the initial values
  const std::vector<std::string> initialValues_;
  HINSTANCE instance_ = nullptr;
  HWND dialog_ = nullptr;
  HFONT valueFont_ = nullptr;  // the value in large type
  HFONT boldFont_ = nullptr;   // the deciding step
  HFONT monoFont_ = nullptr;   // the file's lines, one byte a column where the code page allows
  bool ready_ = false;         // the fields are made: an edit reads anew
  std::optional<TReadingView> shown_;
  // The explanation's rows as the list draws them; the deciding one marked.
  struct TRow {
    std::wstring Step;
    std::wstring Detail;
  };
  std::vector<TRow> rows_;
  std::size_t decidingRow_ = 0;
  int listWidth_ = 0;  // the list's width when its rows were measured

  TShownFile file_;                       // the plug-in's view of the file at the last reading
  std::size_t shownRow_ = std::string::npos;  // the row in the line field
  // The line field's text, and where each of its columns lies in the line's bytes.
  std::wstring lineShown_;
  TLineColumns columns_;
  DWORD selectionStart_ = 0, selectionEnd_ = 0;  // the line field's, as last seen
  // The row and cut the last reading selected: a reading that selects the
  // same leaves a person's caret or selection where they put it.
  std::size_t selectedRow_ = std::string::npos;
  std::optional<std::pair<std::size_t, std::size_t>> selectedCut_;
  tool::TExplained lastReading_;  // shown in the file's controls once a person's choice ends
  bool readingWaits_ = false;     // a reading came while a person was choosing
  bool lineWaits_ = false;        // a line was clicked and the mouse is still down
  std::string decimal_ = ".";     // the user's decimal separator
  bool helpTold_ = false;         // the fields' help has the plug-in's words on the defaults
  int firstVisible_ = -1;                         // the line field's first column shown, as the ruler has it
  std::string lineValue_;                         // LINE as the last reading ran with it
  bool updating_ = false;  // the tester, not the user, is changing the fields or the selection
};

}  // namespace filedata::tester
