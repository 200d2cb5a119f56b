#pragma once

// The one function of the fault library (FaultShim.cpp) meant to be called:
// a test running in a process the library is preloaded into replaces the
// arrangement its environment gave, and every count starts again from zero.
// The arguments mean what QS_FAULT_FOLDER, QS_FAULT_CALL, QS_FAULT_AT,
// QS_FAULT_ERRNO and QS_FAULT_LOG mean; a null folder or kind counts nothing
// or fails nothing.
extern "C" void qs_fault_arm(const char* folder, const char* kind, long at, int error, const char* logPath);
