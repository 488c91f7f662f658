#pragma once
// The behaviour models, one per IC type, run by the kernel when it evaluates an
// IC. Each reads its nets by role, keeps its state in its IcRecord and changes
// pins only through the kernel's drive and release operations.

#include "sim/simulator.h"

namespace sim::models {

// 8251 USART, 2732 EPROM, 6116 RAM.
void usart8251(Simulator& sim, IcRecord& ic);
void eprom2732(Simulator& sim, IcRecord& ic);
void ram6116(Simulator& sim, IcRecord& ic);

// Am2901 bit slice and Am2910 sequencer.
void am2901(Simulator& sim, IcRecord& ic);
void am2910(Simulator& sim, IcRecord& ic);

// The four GAL20V8 programs of the experiment boards.
void gal20v8_1(Simulator& sim, IcRecord& ic);
void gal20v8_2(Simulator& sim, IcRecord& ic);
void gal20v8_3(Simulator& sim, IcRecord& ic);
void gal20v8_4(Simulator& sim, IcRecord& ic);

// 74LS parts. The 74LS14 behaves as the 74LS04.
void ls00(Simulator& sim, IcRecord& ic);
void ls04(Simulator& sim, IcRecord& ic);
void ls08(Simulator& sim, IcRecord& ic);
void ls32(Simulator& sim, IcRecord& ic);
void ls125(Simulator& sim, IcRecord& ic);
void ls138(Simulator& sim, IcRecord& ic);
void ls139(Simulator& sim, IcRecord& ic);
void ls244(Simulator& sim, IcRecord& ic);
void ls245(Simulator& sim, IcRecord& ic);
void ls257(Simulator& sim, IcRecord& ic);
void ls273(Simulator& sim, IcRecord& ic);
void ls374(Simulator& sim, IcRecord& ic);
void ls377(Simulator& sim, IcRecord& ic);

}  // namespace sim::models
