#pragma once
// A view of a file's lines (query/FileView.h) as JSON for the tools, with
// the plain words that say what the view shows and what it leaves out, and
// the advice on the cut held against its lines.
#include <optional>
#include <string>

#include "explain/CutAdvice.h"
#include "query/DataQuery.h"

namespace filedata::explain {

// {"available":true,"encoding":...,"head":[{"line":1,"fromEnd":2,"text":...,
// "cutShort":false},...],"tail":[...],"skipped":{...}|null,"notes":[...],
// "advice":{...}|null}; {"available":false,"detail":...} when no file was
// read or its lines could not be.
std::string FileViewJson(const TViewRequest& request, const std::optional<TCutAdvice>& advice);

}  // namespace filedata::explain
