#pragma once

// Video memory of the DirectDraw device in whole megabytes, total then free; 0 and
// 0 without a DirectDraw object.
void GetVideoMemory(int* totalMB, int* freeMB);

// Whether less than percent of the video memory is free, so that a new surface
// had better go to system memory. A device that reports no video memory at all
// counts as short of it.
bool IsVideoMemoryLow(int percent);
