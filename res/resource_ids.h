/* Resource and command ids shared by the resource script and the code. Plain C preprocessor
   definitions only, so that the resource compiler reads this file too. */
#ifndef VANTOREL_RESOURCE_IDS_H
#define VANTOREL_RESOURCE_IDS_H

/* Dialog templates. */
#define ID_Form1 1000
#define ID_About 1100

/* Menu and accelerator table of the main window (the same id for both). */
#define ID_Form1_menu_1 1001

/* Menu command ids. */
#define ID_Easy 1002
#define ID_Hard 1003
#define ID_Exit 1005
#define ID_AboutItem 1007

/* Items of the About box. */
#define ID_About_cb_OK 101
#define ID_About_pictb_Product 102
#define ID_About_label_Copyright 103
#define ID_About_label_ProductName 104

/* Icon groups: 100 is the file's icon (the first of the executable), 101 the window's. */
#define ID_Icon_File 100
#define ID_Icon_Window 101

/* Bitmaps: the five sheets. */
#define ID_Bitmap_Tiles 100
#define ID_Bitmap_Banner 101
#define ID_Bitmap_Pans 102
#define ID_Bitmap_Glyphs 103
#define ID_Bitmap_Background 104

#endif
