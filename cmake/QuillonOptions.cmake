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

# The compiler keeps 32-byte vectors it spills in stack slots it assumes are
# 32-byte aligned, which the Windows x64 stack does not promise: have the
# assembler encode aligned vector moves as unaligned ones for the file that
# uses eight-lane arithmetic.
set_source_files_properties(${CMAKE_SOURCE_DIR}/effect/transfercurve.cpp
  PROPERTIES COMPILE_OPTIONS "-Wa,-muse-unaligned-vector-move")

# A plug-in as it ships: a host's plug-in folder gets the DLL without its
# symbol tables, which nothing at load or run time reads (the export table
# stays). Debug builds keep them for the debugger.
function(quillon_plugin_dll target)
  quillon_target_options(${target})
  quillon_static_runtime(${target})
  target_link_options(${target} PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)
endfunction()
