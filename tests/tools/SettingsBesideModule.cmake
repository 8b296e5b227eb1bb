# Runs the tool on a copy of the applet module in a directory of its own, with an
# inspect.conf beside the copy and another one in the working directory: only the settings
# beside the module count. Arguments: TOOL, MODULE, LIBRARY_DIR, WORK_DIR, and EMULATOR for
# a cross-built tool.
set(moduleDir ${WORK_DIR}/module)
set(workingDir ${WORK_DIR}/working)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${moduleDir} ${workingDir})
file(COPY ${MODULE} DESTINATION ${moduleDir})
get_filename_component(moduleName ${MODULE} NAME)
get_filename_component(appletName ${MODULE} NAME_WE)

file(WRITE ${moduleDir}/inspect.conf
  "Device1_Process0_Camera_DvalMode = on   # before any section: ignored\n"
  "[${appletName}]\n"
  "Device1_Process0_Camera_FullMode = On   # switched on\n"
  "Device1_Process0_BoardStatus_FpgaTemperature = TRUE\n"
  "Device1_Process0_Camera_PixelClockX = 0\n"
  "Device1_Process0_NoSuchParameter = yes\n"
  "[Elsewhere]\n"
  "Device1_Process0_Camera_PixelClockY = yes\n")
file(WRITE ${workingDir}/inspect.conf
  "[${appletName}]\nDevice1_Process0_Camera_PixelClockZ = yes\n")

# The copy finds the simulated board's libraries on the search path (on Windows the test's
# environment names them already).
set(ENV{LD_LIBRARY_PATH} ${LIBRARY_DIR})
execute_process(COMMAND ${EMULATOR} ${TOOL} --applet ${moduleDir}/${moduleName} list
                WORKING_DIRECTORY ${workingDir}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(REMOVE_RECURSE ${WORK_DIR})
if(NOT status EQUAL 0)
  message(FATAL_ERROR "exit status ${status}:\n${out}${err}")
endif()
string(REGEX MATCHALL "DTOLQA_[A-Za-z0-9_]+" entries "${out}")
set(expected DTOLQA_Device1_Process0_BoardStatus_FpgaTemperature
             DTOLQA_Device1_Process0_Camera_FullMode)
if(NOT entries STREQUAL expected)
  message(FATAL_ERROR "direct entries ${entries}, expected ${expected}:\n${out}")
endif()
if(NOT out MATCHES "^156 parameters" OR NOT out MATCHES "\n 155  DTOLQA_Device1_Process0_Camera_FullMode ")
  message(FATAL_ERROR "unexpected count or ordinals:\n${out}")
endif()
