#pragma once
// Heads, groups and command codes of the two UART links (and of the
// simulators that speak the other side).

#include <QtGlobal>

namespace Uart {

// head
constexpr quint8 HeadRequest = 0xB4;     // read request (and the heartbeat)
constexpr quint8 HeadWrite = 0xB3;
constexpr quint8 HeadAnswer = 0x66;      // answer with data, or a push
constexpr quint8 HeadAcknowledge = 0x64; // acknowledgement without data

// group
constexpr quint8 GroupOutput = 3;  // output channel blocks; command = channel
constexpr quint8 GroupSystem = 4;
constexpr quint8 GroupMedia = 5;   // the media player (DSP link)
constexpr quint8 GroupBrowser = 8; // the panel's browser

// sub of a block read
constexpr quint8 SubReadBlock = 0xAB;

// group 4
constexpr quint8 CmdStatus = 0x03;
constexpr quint8 CmdKey = 0x05;
constexpr quint8 CmdPanelCurrentFile = 0x0F;
constexpr quint8 CmdPanelSundry = 0x10;
constexpr quint8 CmdHeartbeat = 0x25;
constexpr quint8 CmdSystem = 0x90; // System bytes 0-7; read: the first part
constexpr quint8 CmdSystemPart2 = 0x92;
constexpr quint8 CmdBluetooth = 0x93;
constexpr quint8 CmdSundry = 0x94;
constexpr quint8 CmdPlayMode = 0x96; // System bytes 32-39
constexpr quint8 CmdControl = 0x99;
constexpr quint8 CmdUpgradeApply = 0xE0;
constexpr quint8 CmdUpgradeStart = 0xE1;
constexpr quint8 CmdUpgradeData = 0xE2;
constexpr quint8 CmdUpgradeEnd = 0xE3;
constexpr quint8 CmdUpgradeAck = 0xE5;
constexpr quint8 CmdUpgradeStartAck = 0xE6;
constexpr quint8 CmdUpgradeDataAck = 0xE7;
constexpr quint8 CmdUpgradeOkAck = 0xE8;
// The panel's answer to an upgrade step is the step's command + 5.
constexpr quint8 UpgradeAnswerOffset = CmdUpgradeAck - CmdUpgradeApply;

// group 5
constexpr quint8 CmdCurrentFile = 0x80;
constexpr quint8 CmdBrowserPage = 0x82;
constexpr quint8 CmdResumeRecord = 0xA2;
constexpr quint8 CmdResumeMinute = 0xA3;

// group 8
constexpr quint8 CmdPanelPage = 0x86;
constexpr quint8 CmdBrowserKey = 0x87;
constexpr quint8 CmdBrowserMove = 0x8A;
constexpr quint8 CmdBrowserOpen = 0xA0;
constexpr quint8 CmdStartUpgrade = 0xAA;

} // namespace Uart
