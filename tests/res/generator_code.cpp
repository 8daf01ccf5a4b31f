// Builds the resource generator's drawing and encoding code into this test
// program, so the tests can remake the committed files and compare them.
#include "res/generator/resource_images.cpp"
