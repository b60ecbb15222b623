# Hardening and reproducibility for every build, the way Debian builds its
# packages: a stray write or a hostile input should crash the program, not
# take it over, and the same commit should give the same bytes wherever and
# whenever it is built.

# Build folders and the source folder are not part of the program: __FILE__,
# assert messages and debug information name paths relative to them.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=
                    -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)

# Canaries in every function with an array or an address taken; linking with
# the flag too brings the checking code in (statically, in the exe).
add_compile_options(-fstack-protector-strong)
add_link_options(-fstack-protector-strong)

if(WIN32)
  # Address space layout randomisation (64-bit) and no executable data. binutils
  # sets these today; naming them keeps a toolchain change from dropping them.
  # No link time is stamped into the header, so the exe depends only on the source.
  add_link_options(-Wl,--dynamicbase -Wl,--high-entropy-va -Wl,--nxcompat
                   -Wl,--no-insert-timestamp)
else()
  # Checked copies and formats where the compiler knows the sizes; it needs
  # optimisation, and the sanitizers check the same things their own way.
  if(NOT QUILLOP_SANITIZE)
    add_compile_options($<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE>
                        $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=3>)
  endif()
  add_compile_options(-fstack-clash-protection -fcf-protection)
  # A position-independent program whose relocations and imports are made
  # read-only before main runs.
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  include(CheckPIESupported)
  check_pie_supported()
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
