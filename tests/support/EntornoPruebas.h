#pragma once

namespace prueba {

// Puts the process under the workstation settings the program is written
// for, before anything reads them: Argentine Spanish (day/month/year, decimal
// comma), no display (the offscreen platform unless one is named), and the
// demo database's scripts from the source tree unless QUINTARO_DEMO_SQL names
// others. Every test program calls it first thing in main.
void fijarEntorno();

}  // namespace prueba
