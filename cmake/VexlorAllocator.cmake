# The programs allocate through jemalloc when it is installed. A loaded
# model is millions of small atoms; with it, loading takes about a third
# less time and memory than with the C library's allocator (see
# docs/performance.md). Sanitizer and fuzz builds keep their own allocator.
option(VEXLOR_JEMALLOC "Link the programs with jemalloc when it is installed" ON)
set(VEXLOR_ALLOCATOR_LIBRARY "")
if(VEXLOR_JEMALLOC AND NOT VEXLOR_SANITIZE AND NOT VEXLOR_FUZZ)
  find_library(VEXLOR_JEMALLOC_PATH NAMES jemalloc)
  if(VEXLOR_JEMALLOC_PATH)
    set(VEXLOR_ALLOCATOR_LIBRARY ${VEXLOR_JEMALLOC_PATH})
  else()
    message(STATUS "jemalloc not found: the programs use the C library's allocator")
  endif()
endif()

# Links the allocator into an executable target.
function(vexlor_use_allocator target)
  if(VEXLOR_ALLOCATOR_LIBRARY)
    target_link_libraries(${target} PRIVATE ${VEXLOR_ALLOCATOR_LIBRARY})
  endif()
endfunction()
