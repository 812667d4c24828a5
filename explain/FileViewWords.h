#pragma once
// A view of a file's lines (query/FileView.h) as JSON for the tools, with
// the plain words that say what the view shows, what it leaves out and
// which places it does not know, and the advice on the cut held against
// its lines. The keys are those of ViewKeys.h.
#include <optional>
#include <string>
#include <string_view>

#include "explain/CutAdvice.h"
#include "explain/Host.h"
#include "query/FileView.h"

namespace filedata::explain {

// {"available":true,"encoding":...,"head":[{"line":1,"fromEnd":2,"text":...,
// "cutShort":false},...],"tail":[...],"skipped":{...}|null,"notes":[...],
// "advice":{...}|null}.
// HOST: the system whose text the lines are in.
std::string FileViewJson(const TFileView& view, const std::optional<TCutAdvice>& advice,
                         const THost& host = PlatformHost());

// {"available":false,"detail":DETAIL}: no file was read, or its lines could
// not be.
std::string UnavailableViewJson(std::string_view detail);

}  // namespace filedata::explain
