# How our modules mark what they export, chosen by the build so that no source needs to know
# the system. BRENVIK_EXPORT marks a module's own exports; BRENVIK_IMPORT marks functions of
# the platform's libraries that the applet links. On ELF systems both are default visibility
# (everything else is hidden). BRENVIK_LISTED marks an export that the module's export list
# names (cmake/ModuleExports.cmake): default visibility for the version script to pick, and
# nothing on Windows, where a .def file made from the same list decides. On Windows exports
# are dllexport, and imports stay plain: the import libraries bind them, by ordinal where the
# library's .def file says so.
if(WIN32)
  add_compile_definitions("BRENVIK_EXPORT=__declspec(dllexport)" "BRENVIK_LISTED="
                          "BRENVIK_IMPORT=")
else()
  set(visible [=[__attribute__((visibility("default")))]=])
  add_compile_definitions("BRENVIK_EXPORT=${visible}" "BRENVIK_LISTED=${visible}"
                          "BRENVIK_IMPORT=${visible}")
endif()
