// Writes the metafiles the tests use as the fuzzer's first inputs:
// seeds FOLDER writes FOLDER/wmf/* and FOLDER/emf/*.
#include "metafiles.h"

#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::filesystem::path root = argv[1];
    std::filesystem::create_directories(root / "wmf");
    std::filesystem::create_directories(root / "emf");
    const std::string placeable = metafiles::wmf(true);
    std::ofstream(root / "wmf/placeable", std::ios::binary) << placeable;
    std::ofstream(root / "wmf/plain", std::ios::binary) << placeable.substr(22);
    std::ofstream(root / "wmf/huge", std::ios::binary) << metafiles::wmf(true, 1, 32000, 32000);
    std::ofstream(root / "wmf/drawing-transparent", std::ios::binary) << metafiles::drawing(1);
    std::ofstream(root / "wmf/drawing-opaque", std::ios::binary) << metafiles::drawing(2);
    std::ofstream(root / "wmf/everything", std::ios::binary) << metafiles::everything();
    std::ofstream(root / "wmf/abutting", std::ios::binary) << metafiles::abutting();
    std::ofstream(root / "wmf/figures", std::ios::binary) << metafiles::figures();
    std::ofstream(root / "wmf/font-deleted", std::ios::binary) << metafiles::fontDeletedThen(0x06FF);
    std::ofstream(root / "wmf/pattern-brush", std::ios::binary) << metafiles::patternBrush(1, 1, true);
    std::ofstream(root / "wmf/restored", std::ios::binary) << metafiles::restored({-1, 1});
    std::ofstream(root / "wmf/selections", std::ios::binary) << metafiles::manySelections(100);
    for (char kind : {'b', 'd', 'p', 'c', 'f', 'F'})
        std::ofstream(root / (std::string("wmf/wrong-kind-") + kind), std::ios::binary) << metafiles::wrongKind(kind);
    for (char kind : {'m', 'r', 'l', 'u', 'f'})
        std::ofstream(root / (std::string("wmf/kept-") + kind), std::ios::binary) << metafiles::kept(kind);
    std::ofstream(root / "wmf/ended-early", std::ios::binary) << metafiles::endedEarly(10);
    std::ofstream(root / "wmf/set-bits-pattern", std::ios::binary) << metafiles::setBitsPattern(true);
    std::ofstream(root / "wmf/pen-kept", std::ios::binary) << metafiles::penKeptBySavedState();
    std::ofstream(root / "wmf/font-in-freed-place", std::ios::binary) << metafiles::fontInFreedPlace();
    std::ofstream(root / "wmf/runs-4", std::ios::binary) << metafiles::runLengthBitmaps(4);
    std::ofstream(root / "wmf/runs-8", std::ios::binary) << metafiles::runLengthBitmaps(8);
    std::ofstream(root / "emf/text", std::ios::binary) << metafiles::emfWithText();
    std::ofstream(root / "emf/emf", std::ios::binary) << metafiles::emf();
    std::ofstream(root / "emf/path-open", std::ios::binary) << metafiles::emfStrokedPath(false);
    std::ofstream(root / "emf/path-closed", std::ios::binary) << metafiles::emfStrokedPath(true);
    std::ofstream(root / "emf/huge", std::ios::binary) << metafiles::emf(2000000000, 2000000000);
    return 0;
}
