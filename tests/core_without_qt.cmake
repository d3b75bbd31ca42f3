# The core library must build where Qt is absent: no file under a core folder may include Qt.
add_test(NAME core.without_qt
  COMMAND sh -c "hits=$(grep -rsnE '#include[[:space:]]*<Q[A-Za-z]' common model session survey design anticollision plot print tools exchange uncertainty); echo \"$hits\"; [ -z \"$hits\" ]"
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}/src)
set_tests_properties(core.without_qt PROPERTIES LABELS core)
