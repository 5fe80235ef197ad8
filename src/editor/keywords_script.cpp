// Word lists of Perl, Python, shell, TCL, REXX, SQL and Pascal.
#include "editor/word_list_p.h"

namespace brindle::words {

namespace {

// Perl's named operators, built-in functions, quote-like operators and block names.
constexpr auto kPerlWords = split<222>(
    u"if elsif else unless while until for foreach last next redo goto do sub my our local package use no "
    u"require return and or not xor lt gt le ge eq ne cmp q qq qr qw qx m s tr y BEGIN END __END__ __DATA__ "
    u"__FILE__ __LINE__ __PACKAGE__ "
    u"abs accept alarm atan2 bind binmode bless caller chdir chmod chomp chop chown chr chroot close "
    u"closedir connect continue cos crypt defined delete die each eof eval exec "
    u"exists exit exp fcntl fileno flock fork format getc getlogin getpeername getpgrp getppid "
    u"getpriority getpwnam getgrnam gethostbyname getprotobyname getpwuid getgrgid "
    u"getservbyname gethostbyaddr getservbyport getpwent getgrent "
    u"gethostent setpwent setgrent sethostent "
    u"endpwent endgrent endhostent getsockname getsockopt "
    u"glob gmtime grep hex import index int ioctl join keys kill lc lcfirst length link listen "
    u"localtime log lstat map mkdir msgctl msgget msgrcv msgsnd oct open opendir ord pack pipe pop pos "
    u"print printf prototype push quotemeta rand read readdir readline readlink readpipe recv ref rename "
    u"reset reverse rewinddir rindex rmdir scalar seek seekdir select semctl semget semop send setpgrp "
    u"setpriority setsockopt shift shmctl shmget shmread shmwrite shutdown sin sleep socket socketpair "
    u"sort splice split sprintf sqrt srand stat study substr symlink sysopen sysread sysseek "
    u"system syswrite tell telldir tie tied time times truncate uc ucfirst umask undef unlink unpack "
    u"unshift untie utime values vec wait waitpid wantarray warn write ");

// Python: the keywords, the names of the sys module, and the special names of objects.
constexpr auto kPythonKeywords = split<28>(
    u"and assert break class continue def del elif else except exec finally for from global if import in "
    u"is lambda not or pass print raise return try while ");

constexpr auto kPythonSysNames = split<37>(
    u"argv builtin_module_names byteorder copyright displayhook exc_info exc_type exc_value exc_traceback "
    u"excepthook exec_prefix executable exit getdefaultencoding getrecursionlimit getrefcount "
    u"hexversion last_type last_value last_traceback maxint maxunicode modules path platform prefix ps1 "
    u"ps2 setprofile setrecursionlimit settrace stdin stdout stderr "
    u"version version_info warnoptions ");

constexpr auto kPythonSpecialNames = split<53>(
    u"__init__ __del__ __repr__ __str__ __cmp__ __hash__ __nonzero__ __getattr__ __setattr__ __delattr__ "
    u"__call__ __len__ __getitem__ __setitem__ __delitem__ __getslice__ __setslice__ __delslice__ "
    u"__contains__ __add__ __sub__ __mul__ __div__ __mod__ __divmod__ __pow__ __lshift__ __rshift__ "
    u"__and__ __xor__ __or__ __neg__ __pos__ __abs__ __invert__ __int__ __long__ __float__ __complex__ "
    u"__oct__ __hex__ __coerce__ __radd__ __dict__ __class__ __bases__ __name__ __doc__ "
    u"__module__ __methods__ __members__ __builtins__ __import__ ");

// Shell: reserved words and built-ins, and common commands.
constexpr auto kShellKeywords = split<28>(
    u"if then else elif fi case esac for while until do done in function select break continue return exit "
    u"export readonly local shift set unset trap eval exec ");

constexpr auto kShellCommands = split<8>(u"cd echo read test chmod chown mkdir rm ");

// TCL: the control words that scripts are read by.
constexpr auto kTclKeywords =
    split<14>(u"proc if then elseif else for foreach while switch return break continue esac done ");

// REXX: instructions and their sub-keywords, and the words of object-oriented dialects.
constexpr auto kRexxKeywords = split<57>(
    u"ADDRESS ARG CALL DO DROP ELSE END EXIT IF INTERPRET ITERATE LEAVE NOP NUMERIC OPTIONS OTHERWISE "
    u"PARSE PROCEDURE PULL PUSH QUEUE RETURN SAY SELECT SIGNAL THEN TRACE WHEN UPPER EXPOSE FOREVER TO BY "
    u"FOR UNTIL WHILE WITH VALUE VAR SOURCE VERSION EXTERNAL DIGITS FORM FUZZ SCIENTIFIC "
    u"ENGINEERING ON OFF NAME ERROR FAILURE HALT NOVALUE SYNTAX NOTREADY USE ");

constexpr auto kRexxObjectWords =
    split<10>(u"CLASS METHOD ROUTINE REQUIRES EXTENDS IMPLEMENTS PROPERTIES SUBCLASS MIXINCLASS INHERIT ");

// SQL statements and clauses, and column types.
constexpr auto kSqlKeywords =
    split<17>(u"select from where insert into update delete create table drop alter and or not order by group ");

constexpr auto kSqlTypes = split<10>(u"CHAR VARCHAR INTEGER SMALLINT FLOAT DOUBLE DATE DATETIME MEMO TEXT ");

// Pascal and Object Pascal reserved words.
constexpr auto kPascalKeywords = split<51>(
    u"and array begin case const constructor destructor div do downto else end except file finally for "
    u"function goto if implementation in inherited interface label mod nil not object of or procedure "
    u"program record repeat set shl shr string then to try type unit until uses var while with xor packed library ");

const SWordList kPerlLists[] = {{kPerlWords, false}};
const SWordList kPythonLists[] = {{kPythonKeywords, true}, {kPythonSysNames, true}, {kPythonSpecialNames, true}};
const SWordList kShellLists[] = {{kShellKeywords, false}, {kShellCommands, false}};
const SWordList kTclLists[] = {{kTclKeywords, false}};
const SWordList kRexxLists[] = {{kRexxKeywords, false}, {kRexxObjectWords, false}};
const SWordList kSqlLists[] = {{kSqlKeywords, false}, {kSqlTypes, false}};
const SWordList kPascalLists[] = {{kPascalKeywords, false}};

}  // namespace

std::span<const SWordList> perl() { return kPerlLists; }
std::span<const SWordList> python() { return kPythonLists; }
std::span<const SWordList> shell() { return kShellLists; }
std::span<const SWordList> tcl() { return kTclLists; }
std::span<const SWordList> rexx() { return kRexxLists; }
std::span<const SWordList> sql() { return kSqlLists; }
std::span<const SWordList> pascal() { return kPascalLists; }

}  // namespace brindle::words
