#pragma once
// What objects and factories need of the library's one server object, so
// that the COM frame does not depend on the library's own server.
#include <cstdint>
#include <string>

namespace filedata::com {

// Which way a count moves.
enum class TCountChange : std::uint8_t { Down, Up };

// TComServerObject: the abstract server the frame reports to; TComServer
// (ComServ.h) is the one this library has.
class TComServerObject {
 public:
  virtual ~TComServerObject() = default;

  // One more or one fewer live object or server lock; the new count.
  virtual std::int32_t ChangeObjectCount(TCountChange change) = 0;
  // One more or one fewer reference held on any of the server's factories.
  virtual std::int32_t ChangeFactoryCount(TCountChange change) = 0;
  // Full path of the library file.
  virtual std::string ModuleFilePath() const = 0;
  // Name of the per-class server subkey.
  virtual std::string ServerKeyName() const = 0;
  // First part of every ProgID.
  virtual std::string LibraryName() const = 0;
};

}  // namespace filedata::com
