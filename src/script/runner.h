// Running the compiled script: from the stream's start, a range of it, a state, or one step.
// One set of run globals serves every nested run.
#pragma once
#include <cstdint>

#include "script/limits.h"

extern int StopFlag;      // 1 ends the current run after the statement that set it
extern int SkipFlag;      // 1 while statements are skipped in a false branch
extern int SkipDepth;     // if/while met while skipping, not yet matched
extern int LastIfResult;  // the last evaluated if: 1 or 0; -1 after RunScript starts
extern int LoopStart;     // the offset after the last while that ran
extern uint8_t WhileCondition[WordSize];  // that while's condition group
extern int WhileConditionLength;
extern int LoopBackPending;  // a true endwhile: the run goes back to LoopStart
extern int JumpPending;      // a gotoState: the run goes on at JumpTarget until JumpEnd
extern int JumpTarget;
extern int JumpEnd;
extern int StatementEnd;     // the offset after the statement being run
extern int ReturnValue;      // left by a value-returning keyword for an assignment
extern int UpdateStateFlag;  // set when a mover finishes; read by checkUpdateState
extern int RunDepth;         // runs now nested inside each other

// Resets the run state and runs the stream from its beginning. The record (a state id) must
// hold a state; 0 when refused, else 1.
int RunScript(int stateRecord);
void ExecRange(int start, int end);
void ExecState(int id);  // a state from its start to its end
void StepState(int id);  // the next step of a step state
