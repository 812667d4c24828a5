#pragma once
// What a query tells an observer of the steps it takes, as it takes them, so
// that an explanation of an answer cannot drift from what the query does.
// A query without an observer tells nobody and pays nothing. Each report is
// declared beside the code that makes it.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "query/DataQuery.h"
#include "query/FloatParse.h"
#include "query/LineSelection.h"
#include "query/Text.h"

namespace filedata {

class TQueryObserver : public TLineObserver {
 public:
  // Each pair of the parameter text, before its value is read as a number.
  virtual void OnPair(const TPair&) {}
  // Every pair applied: the parameters the query goes on with.
  virtual void OnParameters(const TQueryParameters&) {}
  virtual void OnPresence(const std::string& /*fileName*/, const platform::TPresenceTest&) {}
  // The cut of START and LENGTH (LENGTH as given) of LINE: its bytes, where
  // they lie and which of the cut's rules applied.
  virtual void OnCut(std::int64_t /*start*/, std::int64_t /*length*/, const TChosenLine& /*line*/) {}
  virtual void OnNumberTest(std::string_view /*cut*/, bool /*isNumber*/, const TNumberReport&) {}
};

}  // namespace filedata
