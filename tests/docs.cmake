# The README's pictures: the command that makes them again, in a Wine session
# of its own with two monitors side by side (as renderer_monitors' session,
# at its usual scale).
kestrine_wine_session(pictures_session FRESH SCREEN 1824x768x24 --xephyr -screen 1024x768 -screen 800x600 +xinerama
  -extension RANDR)
kestrine_wine_test(readme_pictures ${CMAKE_CURRENT_SOURCE_DIR}/wine/readme_pictures.sh SESSION pictures_session)
