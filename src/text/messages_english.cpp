// Plain ASCII, so that it reads the same in every code page; the order is
// that of TextId.
#include "text/messages.h"

const char* const kEnglishTexts[kTextCount] = {
    "",
    "Plumwick",
    "Start-up",
    "Shutdown",
    "Power-off",
    "Set...",
    "Start-up logo",
    "Shutdown logo",
    "Power-off logo",
    "Note: is the .bmp file 320 x 400 pixels with 256 colours?",
    "How to make a logo",
    "Default",
    "OK",
    "Cancel",
    "How to make a logo file",
    "This tool runs on Windows 98 and Windows 95 on PC/AT-compatible computers.",
    "A logo file is, by convention, a bitmap of 320 x 400 pixels with 256 colours. "
    "At start-up and shutdown Windows stretches it to 640 x 400 (twice as wide). "
    "So first draw a 640 x 400, 256-colour .bmp picture, then halve its width with "
    "suitable image software.",
    "640 x 400, 256 colours",
    "320 x 400, 256 colours",
    "Continue?",
    "Oops! Please check the file",
    "Pictures (*.bmp;*.jpg;*.png;*.gif)|*.bmp;*.dib;*.jpg;*.jpeg;*.jpe;*.jfif;*.png;*.gif|"
    "Bitmaps (*.bmp)|*.bmp;*.dib|JPEG (*.jpg)|*.jpg;*.jpeg;*.jpe;*.jfif|PNG (*.png)|*.png|GIF (*.gif)|*.gif|"
    "All files (*.*)|*.*",
    "These logos could not be saved in the BakLog folder:",
    "Default cannot bring them back.",
    "No logo has been changed.",
    "This picture is ",
    " x ",
    ", ",
    "2 colours",
    "16 colours",
    "256 colours",
    "-bit colour",
    "compressed",
    ".",
    "Windows shows a logo only if it is an uncompressed bitmap of 320 x 400 pixels with 256 colours.",
    "Make a logo of it? The copy goes in the Logos folder and is chosen instead.",
    "The logo copy could not be made; the file stays as chosen.",
    "Add a band along the bottom that moves while Windows starts, as in Windows' own logo?\r\n\r\n"
    "Its colours come from the picture, which keeps the rest of the logo. The preview shows it move.",
    "Plumwick.exe switches\r\n\r\n"
    "/random: for each logo, one of the logos in the Random folder's LOGO, LOGOW and LOGOS folders, "
    "never the one shown now.\r\n"
    "/default: the first logos back, as the Default button does.\r\n"
    "/logo FILE: the start-up logo.\r\n"
    "/logow FILE: the shutdown logo.\r\n"
    "/logos FILE: the power-off logo.\r\n"
    "/?: this list.\r\n\r\n"
    "Without switches the window opens.",
    "This switch is not known: ",
    "A file name must follow ",
    "Give only one of /random, /default and /logo (/logow, /logos): ",
    "Plumwick.exe /? lists the switches.",
    "Plumwick is running already. Run this again when it has finished.\r\n\r\nNo logo has been changed.",
    "These logos were left as they were:",
    "This file is not a picture the tool reads (BMP, JPEG, PNG or GIF).",
    "This bitmap is damaged, or of a kind Windows does not read.",
    "This picture is damaged or cut short, or of a kind the tool does not read (a CMYK JPEG, say).",
    "This is a folder, not a file.",
    "This picture is larger than the tool takes.",
    "Progressive JPEGs, interlaced PNGs and GIFs are read whole, and this one has more than 4 million pixels, "
    "more than the tool takes. Save it smaller, or as a baseline JPEG or a PNG that is not interlaced.",
    "The logo keeps the file it had.",
    "Windows does not show these files as logos:",
    "Use them all the same?",
    "Default did this:",
    "Put back as they were at the first start:",
    "Removed, as they were not there at the first start:",
    "Left as they are, as their copies in BakLog are gone:",
    "The logos are already as they were at the first start.",
    "The BakLog folder, which kept the logos as they were before Plumwick first changed them, is gone:",
    "Keep the logos as they are now as the first ones? Default will then bring these back.",
    "These logos are not there:",
    "While Windows shuts down it then shows plain text. Choose a logo with Set... to have one there.",
    "Drop one file at a time, on a logo's row or its preview.",
    "Invalid procedure call or argument.",
    "Overflow.",
    "Out of memory.",
    "Bad file name or number.",
    "File not found.",
    "Device I/O error.",
    "File already exists.",
    "Disk full.",
    "Permission denied.",
    "Disk not ready.",
    "Path/File access error.",
    "Path not found.",
    "A part of Windows that this tool needs is missing.",
    "Invalid picture.",
    "Cancel was selected.",
    "Application-defined or object-defined error.",
};
