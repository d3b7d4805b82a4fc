#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ports/clock.h"
#include "simstandin/core/sim_aircraft.h"

namespace simstandin {

// Ways to spoil the block after serving it, to see the client refuse it.
enum class Garbage { Off, Type, Size, Token, Offset, End };

// Misbehaviour switched on by commands. Hanging is carried out by whoever
// hosts the stand-in (a window that does not answer, or a send that fails).
struct Faults {
  bool hang = false;
  bool reject = false;
  Garbage garbage = Garbage::Off;
};

// FSUIPC's side of the exchange, without the window: serves a request block
// in place against the simulated aircraft and takes line commands.
//
// Journal lines (one per event, no trailing newline):
//   read 0x0238 1 0b              a read served: offset, size, the bytes given
//   write 0x3380 128 20 48 ...    a write applied: offset, size, the bytes taken
//                                 (hex, lower case; at most 256 bytes are listed,
//                                 then "+N" for the N not shown)
//   answer 1 | answer 0 bad record at 24 | answer 0 rejected
//                                 the answer to one message, after its records
//   garbage size                  the block was spoiled after serving
//   cmd <line>                    a command applied
//   error <line>: <why>           a command refused
//   state local 12:00:00 zulu 17:00 day 340 year 2026 zone -300 paused 0 ground 1 rate 256
class StandIn {
 public:
  using JournalSink = std::function<void(const std::string&)>;

  explicit StandIn(horavia::Clock& clock) : aircraft_(clock) {}

  // Carries out the records up to the end marker and returns the message's
  // answer: 1, or 0 when rejecting or when a record is malformed.
  uint32_t Serve(uint8_t* block, uint32_t blockSize);

  // One line of standard input. Unknown or malformed lines change nothing.
  void Apply(std::string_view line);

  SimAircraft& Aircraft() { return aircraft_; }
  Faults faults;
  bool quitRequested = false;
  // Empty: no journal is made (and serving allocates nothing).
  JournalSink journal;

 private:
  void Note(const std::string& line) {
    if (journal) journal(line);
  }
  void NoteRecord(const char* kind, uint32_t offset, uint32_t size, const uint8_t* bytes);
  bool ApplyCommand(std::string_view verb, std::string_view rest, std::string& why);
  void Spoil(uint8_t* block, uint32_t endPosition);

  SimAircraft aircraft_;
};

}  // namespace simstandin
