// Code output: frame packer, source writer, clipboard export.
#pragma once

#include <windows.h>
#include <cstdio>

// The number of data bytes in a frame record (the length field holds it modulo 65536).
size_t frameRecordLength();
unsigned char *frameRecord(int n);
unsigned char *packFrame(int n);

int saveSource(const char *path);
int writeSourceFile(const char *path);
void writeHeader(FILE *file);
int writeCBody(FILE *file);
int writeAsmBody(FILE *file);
int writeTrailer(FILE *file);

extern const char clipboardTempFile[];
int copyToClipboard(HWND window);
