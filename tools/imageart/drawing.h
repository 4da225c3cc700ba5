#pragma once

class QPainter;

// Draws picture `index` (an ImageIndex) into the square (0,0)-(size,size) of `painter`.
// Every picture is designed on a 16-unit grid and scaled, so any size works.
void drawImage(QPainter &painter, int index, int size);
