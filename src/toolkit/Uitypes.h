#pragma once
// Numbers the system gives meaning to: the results of modal forms and the system sounds. Header
// only, so that the archive operations name them without linking the toolkit's controls.

// The result of a modal form; buttons report these codes, and the close box gives mrCancel.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;
inline constexpr TModalResult mrNoToAll = 9;
inline constexpr TModalResult mrYesToAll = 10;

// The types of system sound the program passes to MessageBeep.
using TSoundType = unsigned;
inline constexpr TSoundType sndDefault = 0;
// The sound before refusing a name longer than 12 characters: a type no other place uses.
inline constexpr TSoundType sndNameTooLong = 24;
inline constexpr TSoundType sndExclamation = 48;
inline constexpr TSoundType sndAsterisk = 64;
