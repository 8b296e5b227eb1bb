# Environment switches of the applet are cleared for every test process; a test that needs
# one sets it through ENVIRONMENT.
set(BRENVIK_CLEAN_ENVIRONMENT
  VURN_ENABLE_DRA=unset:
  VURN_ENABLE_DTOLQA=unset:
  __VURN_FORCE_EXTERNAL_HAP=unset:
  VURNDIR5=unset:
  VURNDIR5_64=unset:
  BRENVIK_LOG=unset:
  BRENVIK_LOG_FILE=unset:)
