// A program that ends the moment the layer is up, before it asks for any face or makes any
// window, as one ends that finds nothing to do: run over and over by the fonts test.
#include "common/window.h"

int main(int argc, char** argv) {
    common::init_layer(argc, argv);
    return 0;
}
