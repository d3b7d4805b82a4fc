#include "windows/not_connected_reason.h"

#include <string_view>

namespace horavia {
namespace {

// Windows' own number, for a cause this program cannot name better.
std::string WithError(std::string_view what, uint32_t error, std::string_view remedy) {
  std::string text(what);
  if (error != 0) text += " (error " + std::to_string(error) + ")";
  return text + ": " + std::string(remedy);
}

// The open found the simulator's window and sent it the handshake: a window
// that never answers is still loading or hangs.
std::string Unanswered(bool opening) {
  return opening ? "The simulator's window does not answer: it is still loading, or it hangs. "
                   "Horavia connects by itself once it answers."
                 : "The simulator stopped answering: it hangs, or it is busy. "
                   "Horavia connects again by itself once it answers.";
}

// The name of the shared block is made of this process's id, so a name
// already taken is held by another program (or left behind by one).
std::string MappingRefused(uint32_t error) {
  if (error == LinkFailure::kAlreadyExists) {
    return "Another program holds the name of Horavia's shared memory block: close it, or "
           "restart Windows.";
  }
  if (error == LinkFailure::kAccessDenied) {
    return "Windows denies Horavia the name of its shared memory block, which a program at a "
           "higher privilege level holds: start Horavia as administrator too, or restart Windows.";
  }
  return WithError("Windows could not make Horavia's shared memory block", error,
                   "close other programs, or restart Windows.");
}

}  // namespace

std::string NotConnectedReason(const LinkFailure& failure) {
  const uint32_t error = failure.systemError;
  switch (failure.result) {
    case LinkResult::Ok:
      return {};
    case LinkResult::NoSimulator:
      return "No simulator with FSUIPC is running: start the simulator with FSUIPC installed, and "
             "Horavia connects by itself.";
    case LinkResult::SendFailed:
      // A send that timed out fails with ERROR_TIMEOUT on Windows and Wine
      // alike, not with 0.
      if (error == LinkFailure::kTimedOut) return Unanswered(failure.opening);
      // User Interface Privilege Isolation: Windows drops messages to a
      // window of a program that runs at a higher level.
      if (error == LinkFailure::kAccessDenied) {
        return "The simulator runs at a higher privilege level: start Horavia as administrator "
               "too, or neither of them.";
      }
      return WithError("Windows did not deliver Horavia's message to the simulator", error,
                       "restart the simulator.");
    case LinkResult::Timeout:
      return Unanswered(failure.opening);
    case LinkResult::Rejected:
      return "FSUIPC refused Horavia's request: it may still be starting. Horavia tries again by "
             "itself.";
    case LinkResult::SpoiledAnswer:
      return "The simulator's answer came back damaged: another program may pose as FSUIPC. "
             "Close it, or restart the simulator.";
    case LinkResult::BadVersion:
    case LinkResult::BadVersionFs98Main:
      return "The simulator's window does not answer as FSUIPC does: install a current FSUIPC, or "
             "close the program that poses as the simulator.";
    case LinkResult::WrongSimulator:
      return "FSUIPC runs in another simulator than the one Horavia asked for.";
    case LinkResult::NoMapping:
      return MappingRefused(error);
    case LinkResult::NoAtom:
      return WithError("Windows could not add the global atom that names Horavia's shared memory "
                       "block",
                       error, "its table may be full; restart Windows.");
    case LinkResult::NoMessage:
      return WithError("Windows could not register FSUIPC's window message", error,
                       "restart Windows.");
    case LinkResult::NoView:
      return WithError("Windows could not map Horavia's shared memory block", error,
                       "close other programs, or restart Windows.");
    default:
      return "The link to the simulator failed (code " +
             std::to_string(static_cast<int32_t>(failure.result)) + ").";
  }
}

}  // namespace horavia
