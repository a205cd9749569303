# Compiler settings shared by every target of the project.

# 32-bit float arithmetic must give the same bits on both targets: SSE for
# every float operation (never the x87 stack) and no fused multiply-add.
function(quillon_target_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -ffp-contract=off)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
  endif()
endfunction()

# A host loads the DLL (and Wine runs the tools) with no compiler runtime
# DLLs beside them: link libgcc, libstdc++ and winpthread statically.
function(quillon_static_runtime target)
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
endfunction()

# An executable of the project: warnings, float settings, static runtime.
function(quillon_executable target)
  quillon_target_options(${target})
  quillon_static_runtime(${target})
endfunction()
