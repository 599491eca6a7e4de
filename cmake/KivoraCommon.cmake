# Settings shared by the Windows and the host build.

# kivora_warnings(<target>): our own code builds warning-clean with these on.
function(kivora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
