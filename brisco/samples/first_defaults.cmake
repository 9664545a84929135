# Puts the first VEXLO.DEF beside the program, unless the program has saved one there:
# a rebuild never throws away the user's settings.
#   cmake -DSOURCE=<samples/VEXLO.DEF> -DTARGET=<suite/VEXLO.DEF> -P first_defaults.cmake
if(NOT EXISTS "${TARGET}")
  file(COPY_FILE "${SOURCE}" "${TARGET}")
endif()
