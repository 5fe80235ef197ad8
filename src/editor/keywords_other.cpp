// Word lists of Fortran, AutoLISP and SIOD.
#include "editor/word_list_p.h"

namespace brindle::words {

namespace {

// Fortran 90: statements and attributes, dotted operators and constants, intrinsic procedures.
constexpr auto kFortranWords = split<205>(
    u".and. .or. .not. .eqv. .neqv. .eq. .ne. .lt. .le. .gt. .ge. .true. .false. "
    u"allocatable allocate assign assignment backspace block call case character close common complex "
    u"contains continue cycle data deallocate default dimension do double else elseif elsewhere end "
    u"endfile entry equivalence exit external format function go goto if implicit in include inout "
    u"inquire integer intent interface intrinsic kind len logical module namelist none nullify only open "
    u"operator optional out parameter pause pointer precision print private procedure program public read "
    u"real recursive result return rewind save select sequence stop subroutine target then to type use "
    u"where while write "
    u"abs achar acos adjustl adjustr aimag aint all allocated anint any asin associated atan atan2 "
    u"bit_size btest ceiling char cmplx conjg cos cosh count cshift date_and_time dble digits dim "
    u"dot_product dprod eoshift epsilon exp exponent floor fraction huge iachar iand ibclr ibits ibset "
    u"ichar ieor index int ior ishft ishftc lbound len_trim lge lgt lle llt log log10 matmul max "
    u"maxexponent maxloc maxval merge min minexponent minloc minval mod modulo mvbits nearest nint not pack "
    u"present product radix random_number random_seed range repeat reshape rrspacing scale scan "
    u"selected_int_kind selected_real_kind set_exponent shape sign sin sinh size spacing spread sqrt sum "
    u"system_clock tan tanh tiny transfer transpose trim ubound unpack verify ");

// AutoLISP built-in functions, programmable dialog box functions among them.
constexpr auto kAutoLispFunctions = split<226>(
    u"+ - * / = /= < <= > >= ~ 1+ 1- abs acad_colordlg acad_helpdlg acad_strlsort action_tile add_list "
    u"alert alloc and angle angtof angtos append apply arx arxload arxunload ascii assoc atan atof atoi "
    u"atom atoms-family autoarxload autoload boole boundp caddr cadr car cdr chr client_data_tile close "
    u"command cond cons cos cvunit defun dictadd dictnext dictremove dictrename dictsearch dimx_tile "
    u"dimy_tile distance distof done_dialog end_image end_list entdel entget entlast entmake entmakex "
    u"entmod entnext entsel entupd eq equal eval exit exp expand expt fill_image findfile fix float "
    u"foreach function gc gcd get_attr get_tile getangle getcfg getcname getcorner getdist getenv "
    u"getfiled getint getkword getorient getpoint getreal getstring getvar graphscr grclear grdraw "
    u"grread grtext grvecs handent help if initget inters itoa lambda last length list listp load "
    u"load_dialog log logand logior lsh mapcar max mem member menucmd menugroup min minusp mode_tile "
    u"namedobjdict nentsel nentselp new_dialog not nth null numberp open or osnap polar prin1 princ print "
    u"progn prompt quit quote read read-char read-line redraw regapp rem repeat reverse rtos set set_tile "
    u"setcfg setenv setfunhelp setq setvar setview sin slide_image snvalid sqrt ssadd ssdel ssget "
    u"ssgetfirst sslength ssmemb ssname ssnamex sssetfirst startapp start_dialog start_image start_list "
    u"strcase strcat strlen subst substr tablet tblnext tblobjname tblsearch term_dialog terpri textbox "
    u"textpage textscr trace trans type unload_dialog untrace vector_image ver vports wcmatch while "
    u"write-char write-line xdroom xdsize zerop xload xunload ads defun-q vl-load-com vl-princ-to-string ");

// SIOD (Scheme in one defun): the core procedures and special forms, the mathematical functions,
// and the further built-in names and variables of its libraries.
constexpr auto kSiodFunctions = split<70>(
    u"and append apply assoc assq assv begin car cdr caar cadr cdar cddr caddr cond cons define delq eq? "
    u"eqv? equal? error eval gc if lambda length let let* letrec list load mapcar max memq memv min not "
    u"nreverse nth null? number? or print prin1 quote read reverse set! set-car! set-cdr! string-append "
    u"string-length string? substring symbol? symbol-bound? symbol-value the-environment while intern "
    u"last butlast copy-list nconc catch throw prog1 exit quit ");

constexpr auto kSiodMath = split<9>(u"acos asin atan atan2 cos exp log sin sqrt ");

constexpr auto kSiodVariables = split<203>(
    u"*after-gc* *args* *env* *eval-history-ptr* *pi* *plists* *traced* %%closure %%closure-code "
    u"%%closure-env %%stack-limit access-problem? alarm apropos aref array->hexstr aset ash ass "
    u"base64decode base64encode benchmark-eval benchmark-funcall1 benchmark-funcall2 bit-and bit-not "
    u"bit-or bit-xor bytes-append caaar caadr cadar cdaar cdadr cddar cdddr chdir chmod chown closedir "
    u"cons-array const-string cpu-usage-limits crypt current-resource-usage datlength datref "
    u"decode-file-mode delete-file encode-file-mode encode-open-flags endpwent env-lookup eof-val errobj "
    u"exec fast-load fast-print fast-read fast-save fchmod fclose fflush fgets fmod fnmatch fopen fork "
    u"fputs fread free-list fseek fstat ftell fwrite gc-info gc-status get getc getcwd getenv getgid "
    u"getgrgid getpass getpgrp getpid getppid getpwent getpwnam getpwuid gets getuid gmtime hexstr->bytes "
    u"href hset html-encode kill last-c-error lchown link listening? load-so localtime lref-default lstat "
    u"make-list md5-final md5-init md5-update mkdatref mkdir mktime nice number->string opendir "
    u"os-classification parse-number pclose popen pow print-to-string putc putenv putprop puts qsort rand "
    u"random readdir readline readlink realtime rename require require-so rld rmdir runtime save-forms "
    u"sdatref set-eval-history set-symbol-value! setcar setcdr setenv setuid srand srandom stat strbreakup "
    u"strcat strcmp strcpy strcspn string->number string-dimension string-downcase string-lessp "
    u"string-search string-trim string-trim-left string-trim-right string-upcase strptime strspn subset "
    u"substring-equal? swrite sxhash symbolconc symlink system t tan trace trunc typeof umask unbreakupstr "
    u"uname unix-ctime unix-time unix-time->strtime unlink untrace url-decode url-encode utime verbose "
    u"wait writes mapc mapcan sleep time sync truncate ctime strftime setgid getegid geteuid ");

const SWordList kFortranLists[] = {{kFortranWords, false}};
const SWordList kAutoLispLists[] = {{kAutoLispFunctions, true}};
const SWordList kSiodLists[] = {{kSiodFunctions, false}, {kSiodMath, false}, {kSiodVariables, false}};

}  // namespace

std::span<const SWordList> fortran() { return kFortranLists; }
std::span<const SWordList> autoLisp() { return kAutoLispLists; }
std::span<const SWordList> siod() { return kSiodLists; }

}  // namespace brindle::words
