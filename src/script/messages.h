// Texts and captions of the script engine's message boxes.
#pragma once

// Reading script files.
inline constexpr const char* MsgScriptFileOpenError = "Script File Open Error";
inline constexpr const char* MsgFileReadingError = "File Reading Error";
inline constexpr const char* MsgExceedBufferSize = "Exceed Maximum Buffer size";
inline constexpr const char* MsgExceedLineSize = "Exceed Maximum Line size";
inline constexpr const char* MsgExceedTokenSize = "Exceed Maximum Token size";
inline constexpr const char* MsgNumberOutOfRange = "Number beyond float range";
inline constexpr const char* CaptionError = "Error";

// Parsing and compiling.
inline constexpr const char* MsgNoMatchingRightParen = "No matching right paren!";
inline constexpr const char* CaptionParenCheck = "paren check";
inline constexpr const char* MsgUnmatchedRightParen = "Unmatched RPAREN found!";
inline constexpr const char* CaptionDebug = "debug";
inline constexpr const char* MsgUnrecognizedToken = "Unrecognized Token";
inline constexpr const char* CaptionWarning = "Warning";
inline constexpr const char* MsgExceedParserToken = "Exceed maximum parser token";
inline constexpr const char* MsgExceedScript = "Exceed maximum script";

// States and steps.
inline constexpr const char* MsgMaxStepLines = "Max step state lines exceeded!";
inline constexpr const char* MsgExceedStates = "Exceed maximum states";
inline constexpr const char* MsgExceedStepStates = "Exceed maximum step states";
inline constexpr const char* CaptionScriptDebug = "Script Debug";
inline constexpr const char* MsgStateNotDefinedRun = "State not Defined!";
inline constexpr const char* CaptionStateExecDebug = "State Exec Debug";
inline constexpr const char* CaptionStepStateExecDebug = "Step State Exec Debug";
inline constexpr const char* CaptionCheckStepStateDebug = "Check Step State Debug";
inline constexpr const char* MsgNoMoreSteps = "No more steps in step state!";
inline constexpr const char* MsgStateNotDefinedJump = "State not defined!";
inline constexpr const char* CaptionStateDebug = "state debug";
inline constexpr const char* MsgRefOnStepState = "ref state called on step state";
inline constexpr const char* CaptionRefDebug = "ref debug";
inline constexpr const char* MsgNoScriptLoaded = "No Script Loaded! State Tree not built!";
inline constexpr const char* CaptionRunScriptDebug = "Run Script debug";
inline constexpr const char* MsgExceedRunDepth = "Exceed maximum script nesting";
inline constexpr const char* MsgExceedRunLength = "Exceed maximum statements in one run";

// Variables and conditions.
inline constexpr const char* MsgVariableRedeclaration = "Variable Redeclaration!";
inline constexpr const char* CaptionVarDebugLower = "var debug";
inline constexpr const char* MsgExceedVariables = "Exceed maximum variables";
inline constexpr const char* MsgUndeclaredVariable = "Undeclared variable!";
inline constexpr const char* CaptionVarDebug = "Var debug";
inline constexpr const char* MsgIllegalVariableOperation = "illegal variable operation";
inline constexpr const char* MsgUnrecognizedTokenValue = "Unrecognized token!";
inline constexpr const char* MsgUndeclaredInCondition = "undecalred variable!";
inline constexpr const char* CaptionIfStatement = "if statement";
inline constexpr const char* CaptionEvalDebug = "Eval debug";
inline constexpr const char* MsgUnrecognizedOperator = "Unrecognized Operator Token!";

// Keywords and commands.
inline constexpr const char* MsgSetPaletteFailed = "SetPalette failed";
