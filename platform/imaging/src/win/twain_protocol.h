// The TWAIN protocol's records and codes as the standard fixes them: identities packed on
// 2 bytes, DSM_Entry with the stdcall convention. Shared by the layer and the tests' source.
#pragma once
#include <windows.h>

#include <cstdint>

namespace twain_protocol {

#pragma pack(push, 2)
struct TwVersion {
  uint16_t majorNum, minorNum, language, country;
  char info[34];
};
struct TwIdentity {
  uint32_t id;
  TwVersion version;
  uint16_t protocolMajor, protocolMinor;
  uint32_t supportedGroups;
  char manufacturer[34], productFamily[34], productName[34];
};
struct TwUserInterface {
  uint16_t showUi;
  uint16_t modalUi;
  HANDLE parent;
};
struct TwEvent {
  void* event;
  uint16_t message;
};
struct TwPendingXfers {
  uint16_t count;
  uint32_t endOfJob;
};
#pragma pack(pop)

using DsmEntryProc = uint16_t(WINAPI*)(TwIdentity* origin, TwIdentity* destination, uint32_t group, uint16_t data,
                                       uint16_t message, void* pointer);

constexpr uint32_t kDgControl = 1, kDgImage = 2;
constexpr uint16_t kDatIdentity = 3, kDatEvent = 2, kDatParent = 4, kDatPendingXfers = 5, kDatUserInterface = 9,
                   kDatImageNativeXfer = 0x0104;
constexpr uint16_t kMsgGet = 1, kMsgGetDefault = 3, kMsgGetFirst = 4, kMsgXferReady = 0x0101,
                   kMsgCloseDsReq = 0x0102, kMsgCloseDsOk = 0x0103, kMsgOpenDsm = 0x0301, kMsgCloseDsm = 0x0302,
                   kMsgOpenDs = 0x0401, kMsgCloseDs = 0x0402, kMsgUserSelect = 0x0403, kMsgDisableDs = 0x0501,
                   kMsgEnableDs = 0x0502, kMsgProcessEvent = 0x0601, kMsgEndXfer = 0x0701, kMsgReset = 0x0702;
constexpr uint16_t kRcSuccess = 0, kRcDsEvent = 4, kRcXferDone = 6;
constexpr uint16_t kRcFailure = 1, kRcNotDsEvent = 5, kRcEndOfList = 7;
constexpr uint16_t kMsgNull = 0;

}  // namespace twain_protocol
