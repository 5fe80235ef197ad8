# Warning flags shared by every Brindle target.
function(brindle_target_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
  if(BRINDLE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
