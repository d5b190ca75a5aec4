# The mark images of the HTML export (data/HTML/*.gif) are made by this program from the
# tree's icons.
if(TARGET pw_ui AND TARGET pw_export)
  add_executable(make_mark_images ${CMAKE_CURRENT_SOURCE_DIR}/make_mark_images.cpp)
  target_link_libraries(make_mark_images PRIVATE pw_ui pw_export)
endif()
