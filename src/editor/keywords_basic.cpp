// Word lists of Visual Basic and VBScript, and of batch files.
#include "editor/word_list_p.h"

namespace brindle::words {

namespace {

// VBScript statements, keywords and built-in functions, spelt as the language spells them.
constexpr auto kScriptWords = split<159>(
    u"And As Boolean ByRef Byte ByVal Call Case Class Const Currency Date Dim Do Double Each Else ElseIf "
    u"Empty End Eqv Erase Error Exit Explicit False For Function Get GoTo If Imp In Integer Is Let Like "
    u"Long Loop Me Mod New Next Not Nothing Null On Option Or Preserve Private Property Public Randomize "
    u"ReDim Rem Resume Select Set Single Static Step Stop String Sub Then To True Until Variant Wend While "
    u"With Xor "
    u"Abs Array Asc Atn CBool CByte CCur CDate CDbl Chr CInt CLng Cos CreateObject CSng CStr DateAdd "
    u"DateDiff DatePart DateSerial DateValue Day Eval Exp Filter Fix FormatCurrency FormatDateTime "
    u"FormatNumber FormatPercent GetObject GetRef Hex Hour InputBox InStr InStrRev Int IsArray IsDate "
    u"IsEmpty IsNull IsNumeric IsObject Join LBound LCase Left Len Log LTrim Mid Minute Month "
    u"MonthName MsgBox Now Oct Replace RGB Right Rnd Round RTrim Second Sgn Sin Space Split "
    u"Sqr StrComp StrReverse Tan Time Timer TimeSerial TimeValue Trim TypeName UBound UCase VarType Weekday "
    u"WeekdayName Year ");

// Commands of the command interpreters (CMD and 4DOS) and the words of their statements.
constexpr auto kBatchInternal = split<93>(
    u"ASSOC BREAK CALL CD CHCP CHDIR CLS COLOR COPY DATE DEL DIR ECHO ENDLOCAL ERASE EXIT FOR "
    u"FTYPE GOTO IF MD MKDIR MOVE PATH PAUSE POPD PROMPT PUSHD RD REM REN RENAME RMDIR SET SETLOCAL SHIFT "
    u"START TIME TITLE TYPE VER VERIFY VOL "
    u"DO IN NOT EXIST ERRORLEVEL DEFINED ELSE EQU NEQ LSS LEQ GTR GEQ NUL CON PRN "
    u"ALIAS BEEP CANCEL CDD DELAY DIRS ECHOS FFIND FREE GLOBAL GOSUB IFF ENDIFF THEN INKEY INPUT LH LIST "
    u"LOADHIGH LOG MEMORY QUIT REBOOT RETURN SCREEN SELECT SETDOS TEE TEXT ENDTEXT TIMER TOUCH UNALIAS "
    u"UNSET ");

// Programs of the system that batch files commonly run.
constexpr auto kBatchExternal = split<66>(
    u"APPEND ARP ASSIGN AT ATTRIB BACKUP CACLS CHKDSK CHKNTFS CHOICE CIPHER CLIP COMP COMPACT CONVERT "
    u"DEBUG DEFRAG DELTREE DISKCOMP DISKCOPY DOSKEY DRIVERQUERY EDIT EDLIN EXPAND FC FDISK FIND FINDSTR "
    u"FORMAT HELP IPCONFIG LABEL MEM MODE MORE NET NETSTAT NSLOOKUP PING PRINT "
    u"QBASIC RECOVER REG REGEDIT REPLACE RESTORE ROBOCOPY RUNAS SC SCANDISK SCHTASKS SETX SHUTDOWN SORT "
    u"SUBST SYS SYSTEMINFO TASKKILL TASKLIST TIMEOUT TRACERT TREE UNDELETE WHERE XCOPY ");

const SWordList kBasicLists[] = {{kScriptWords, true}};
const SWordList kBatchLists[] = {{kBatchInternal, false}, {kBatchExternal, false}};

}  // namespace

std::span<const std::u16string_view> scriptWords() { return kScriptWords; }

std::span<const SWordList> basic() { return kBasicLists; }
std::span<const SWordList> batch() { return kBatchLists; }

}  // namespace brindle::words
