#pragma once
// The plug-in object itself, apart from COM: it answers every host operation
// from the constant tables and the data query, explains a reading for the
// tools, and owns what is the object's own: its last-error text and the
// texts of its last answer. Two objects never see each other's errors or
// answers.
#include <string>

#include "descriptor/DescriptorTables.h"
#include "descriptor/LastErrorText.h"
#include "descriptor/PlugInOperations.h"

namespace filedata {

class TQueryObserver;
class TQueryRun;
struct TQueryOutcome;
namespace explain {
class TExplanation;
}

// TPlugIn: the plug-in object apart from COM, which TFileData wraps.
class TPlugIn final : public IExplainingPlugIn {
 public:
  HResult GetName(const char** name) noexcept override;
  HResult GetVersionA(std::uint16_t* value) noexcept override;
  HResult GetVersionB(std::uint16_t* value) noexcept override;
  HResult SetHostValue(std::int32_t value) noexcept override;
  HResult GetLastErrorText(const char** text) noexcept override;
  HResult GetAboutCount(std::int32_t* count) noexcept override;
  HResult GetAboutItem(std::int32_t index, const char** key, const char** value) noexcept override;
  HResult GetDataCount(std::int32_t* count) noexcept override;
  HResult GetDataInfo(std::int32_t index, const char** name, std::uint8_t* kind) noexcept override;
  HResult GetData(std::int32_t itemIndex, const char* params, const char** itemName, std::uint8_t* valueKind,
                  const char** text, double* number) noexcept override;
  HResult HostHookA() noexcept override;
  HResult HostHookB() noexcept override;
  HResult OptionalRequest() noexcept override;
  // Every data item takes the same parameters, so ITEMINDEX is not examined.
  HResult GetParamCount(std::int32_t itemIndex, std::int32_t* count) noexcept override;
  HResult GetParamInfo(std::int32_t itemIndex, std::int32_t paramIndex, const char** name, const char** defaultValue,
                       const char** description) noexcept override;
  HResult GetAdvancedParamCount(std::int32_t itemIndex, std::int32_t* count) noexcept override;
  HResult GetAdvancedParamInfo(std::int32_t itemIndex, std::int32_t paramIndex, const char** name,
                               const char** defaultValue, const char** description) noexcept override;
  HResult GetEditorFlags(std::int32_t itemIndex, std::uint8_t* flags) noexcept override;
  HResult GetParamEditor(std::int32_t itemIndex, const char* paramName, std::uint8_t* editorKind,
                         const char** editorText) noexcept override;
  HResult GetUpdateLocation(const char** location) noexcept override;

  HResult ExplainData(std::int32_t itemIndex, const char* params, const char** itemName, std::uint8_t* valueKind,
                      const char** text, double* number, const char** steps) noexcept override;
  HResult ExplainWithView(std::int32_t itemIndex, const char* params, const char** itemName, std::uint8_t* valueKind,
                          const char** text, double* number, const char** steps,
                          const char** view) noexcept override;

 private:
  // GetData's outputs as one value, so that every way of asking for them
  // writes them in one place (Written) and an explanation ends with them
  // without reading the caller's pointers back.
  struct THostAnswer {
    HResult Result = hr::Ok;
    const char* ItemName = nullptr;  // null: nothing is written, not even the standing answer
    std::uint8_t ValueKind = descriptor::kTextKind;
    const char* Text = nullptr;
    std::size_t TextSize = 0;
    double Number = 0;  // written for a number only
  };
  // The query of GetData in RUN, telling OBSERVER (null: nobody) each step.
  THostAnswer Query(TQueryRun& run, std::int32_t itemIndex, const char* params, TQueryObserver* observer) noexcept;
  static HResult Written(const THostAnswer& answer, const char** itemName, std::uint8_t* valueKind,
                         const char** text, double* number) noexcept;
  // ExplainData, and the view into VIEW when it is given.
  HResult Explain(std::int32_t itemIndex, const char* params, const char** itemName, std::uint8_t* valueKind,
                  const char** text, double* number, const char** steps, const char** view) noexcept;
  // The steps that EXPLANATION heard while RUN made ANSWER into STEPS, and,
  // when VIEW is given, the view of RUN's file into it. A failure on the way
  // is told in the steps and the view; the answer never hears of it.
  void Tell(TQueryRun& run, explain::TExplanation& explanation, const THostAnswer& answer, const char** steps,
            const char** view) noexcept;
  // The steps and the view when writing them failed for REASON.
  void Untold(const char* reason, const TQueryOutcome& outcome, std::size_t textSize, const char** steps,
              const char** view) noexcept;
  // The view when writing it failed for REASON.
  const char* Unviewed(const char* reason) noexcept;

  // The host-operation contract (docs/ARCHITECTURE.md, "Failure
  // contracts"): OPERATION's result, or, when it raises, E_FAIL with the
  // reason as this object's last-error text. Nothing gets past it.
  template <class Operation>
  HResult UnderHostContract(Operation&& operation) noexcept;

  TLastErrorText lastError_;
  std::string answerText_;  // the last text answer
  std::string steps_;       // the last explanation
  std::string view_;        // the last view of a file
};

}  // namespace filedata
