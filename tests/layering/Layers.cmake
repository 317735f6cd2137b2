# the layers of the fixture trees of the layering check's own tests
set(ZZ_LAYERS "src/low" "src/high")
