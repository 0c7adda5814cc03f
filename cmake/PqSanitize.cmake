# Native build: AddressSanitizer and UndefinedBehaviorSanitizer when
# PQ_SANITIZE is on (the test command's configuration), or the libFuzzer
# coverage with both sanitizers when PQ_FUZZ is on (clang). Included before
# any target is defined: directory compile options reach only the targets
# defined after them, and the core library is the code under test.

option(PQ_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(PQ_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

if(PQ_FUZZ)
  # Coverage for libFuzzer on everything; the fuzzers themselves link it.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(PQ_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_compile_options(${_san})
  add_link_options(${_san})
endif()
