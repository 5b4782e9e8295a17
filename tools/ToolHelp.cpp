#include "tools/ToolHelp.h"

namespace tools {

QString toolHelp() {
    return QStringLiteral(
        "Usage: pixmora-tool COMMAND [ARGUMENTS]\n"
        "Works on Pixmora panel files (.zml one frame, .zma animation) without the window.\n"
        "\n"
        "Commands:\n"
        "  info FILE        list the frames of a panel file\n"
        "  export FILE OUT  write the frames as grey PNGs or as an animated GIF\n"
        "  import OUT INPUT...  make a panel file from pictures and clips\n"
        "  make ... OUT     make an animation from a start and an end crop, as the window does\n"
        "\n"
        "pixmora-tool COMMAND --help describes a command.\n"
        "Exit status: 0 success, 2 bad arguments, otherwise the file status (see info --help).\n");
}

QString infoHelp() {
    return QStringLiteral(
        "Usage: pixmora-tool info FILE\n"
        "Prints 'FILE: K frames', then 'frame N: WxH, B bits, background C' for each frame.\n"
        "\n"
        "Exit status:\n"
        "  0 success\n"
        "  1 cannot open the file, or it is not a .zml or .zma\n"
        "  2 the file's length is unknown (or bad arguments)\n"
        "  3 a frame fails its check byte\n"
        "  4 the file ends early or is not a panel file\n"
        "  6 bits per pixel not 1, 2, 4 or 8, or frames of different sizes\n"
        "  7 no such file, or an animation without frames\n");
}

QString exportHelp() {
    return QStringLiteral(
        "Usage: pixmora-tool export FILE OUT\n"
        "OUT ending in .png: each frame as an 8-bit grey PNG of its stored levels; several\n"
        "frames are numbered OUT-001.png, OUT-002.png, ... (one frame is written to OUT).\n"
        "OUT ending in .gif: an endlessly looping animation at 100 ms a frame, each frame\n"
        "shown as the window shows it in its own background code: levels 0 to 3 take the\n"
        "panel tint (each channel (channel level x level) / 3, low 8 bits, with channel\n"
        "levels 0, 85, 170, 255); levels from 4 up keep their grey.\n"
        "Exit status: as info; 2 for any other OUT extension; 1 when OUT cannot be created\n"
        "and 5 when it cannot be written whole (a full disk), the previous OUT then kept.\n");
}

QString importHelp() {
    return QStringLiteral(
        "Usage: pixmora-tool import [OPTIONS] OUT.zma|OUT.zml INPUT...\n"
        "Each INPUT is a picture (JPEG, PNG, BMP), giving one frame, or a clip, giving a frame\n"
        "for each of its pages; CLIP@FROM-TO takes pages FROM to TO only (1-based, inclusive).\n"
        "Every frame is resized without cropping and reduced to panel levels. At most 90\n"
        "frames in all; a .zml takes exactly one.\n"
        "\n"
        "Options:\n"
        "  --bits 1|2|4|8         bits per pixel (default 2: the four panel greys)\n"
        "  --background CODE      background colour code 0..63 (default 63)\n"
        "  --dither burkes|jjn|ordered|none   dithering at 2 bits (default burkes)\n"
        "  --size WxH             frame size, 1..256 each (default 160x54)\n"
        "\n"
        "At 1, 4 and 8 bits each pixel's level is the top bits of its HSV value.\n"
        "Exit status: 0 success, 1 a picture or the output cannot be opened, 2 bad\n"
        "arguments, otherwise the file status.\n");
}

QString makeHelp() {
    return QStringLiteral(
        "Usage: pixmora-tool make --start FILE[@FRAME] --start-rect L,T,R,B\n"
        "         [--end FILE[@FRAME] --end-rect L,T,R,B] --method 0..7 --frames N\n"
        "         [OPTIONS] OUT.zma|OUT.zml\n"
        "Makes an animation from a start crop to an end crop of picture or clip frames,\n"
        "frame for frame as the window's Execute command makes it. FRAME is the file's\n"
        "frame, 1-based (default 1); the end file's frames follow the start file's.\n"
        "Rectangles are viewer pixels at the zoom, with R > L and B > T. Without --end the\n"
        "start crop is also the end. A .zml takes --frames 1 only.\n"
        "\n"
        "Options:\n"
        "  --method 0..7          the animation method in the window's order: move,\n"
        "                         dissolve, vertical wipe, horizontal wipe; odd ones go\n"
        "                         there and back\n"
        "  --frames N             frames to make, 1..90\n"
        "  --zoom PERCENT         the viewer zoom of the rectangles, 1..6400 (default 100)\n"
        "  --dither burkes|jjn|ordered|none   dithering (default burkes)\n"
        "  --panel WxH            panel size, 1..256 each (default 160x54)\n"
        "  --background CODE      background colour code 0..63 (default 63)\n"
        "\n"
        "Exit status: 0 success, 1 an input or the output cannot be opened, 2 bad\n"
        "arguments (also a FRAME beyond its file), otherwise the file status.\n");
}

}  // namespace tools
