// A call journal's layer-3 messages as a pcap capture of GSMTAP frames, for Wireshark. Plain C++.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace geran::host {

struct Capture {
  std::string pcap;          // the whole file
  std::size_t messages = 0;  // the messages it holds
  std::size_t frames = 0;    // the frames they took (a long dedicated message takes several)
};

// Every SendSIMsg (BCCH), SendPagingReq (CCCH), SendMsg (dedicated, downlink) and WaitMsg (its
// expected message, uplink) of a journal that did not fail, stamped with the call's time. Reads a
// recorded journal ("<ms>\t<call>\t<HRESULT>...") or the simulator's (one call a line, 1 ms apart).
Capture CaptureJournal(std::string_view journal);

}  // namespace geran::host
