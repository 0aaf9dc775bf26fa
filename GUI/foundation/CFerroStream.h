#pragma once

#include "GUI/foundation/CFerroString.h"

struct CFerroPoint;
struct CFerroRect;
struct CFerroSize;

// The abstract byte stream through which every stored format is read and
// written. A stream is either loading (mode 0) or storing (mode 1 writes a
// fresh target, mode 2 appends); Serialize methods ask IsStoring() and then use
// << or >> on the same fields in the same order. Every primitive is stored
// little-endian; a CFerroString is one length byte (or 255 and a 2-byte
// length) followed by its bytes.
class CFerroStream {
 public:
  enum { modeRead = 0, modeWrite = 1, modeAppend = 2 };

  CFerroStream();
  CFerroStream(const CFerroStream&) = delete;
  CFerroStream& operator=(const CFerroStream&) = delete;
  // Concrete streams close their target first.
  virtual ~CFerroStream();

  // Called by owners and destructors to release the target.
  virtual void Close() = 0;
  // Total bytes of the target.
  virtual unsigned int GetLength() = 0;
  // Current byte offset.
  virtual unsigned int GetPosition() = 0;
  // Moves the current offset; each class says in which modes it works.
  virtual void SetPosition(unsigned int offset) = 0;
  // Writes count bytes at the current offset; returns the bytes written.
  virtual unsigned int Write(const void* buffer, unsigned int count) = 0;
  // Reads up to count bytes at the current offset; returns the bytes read.
  virtual unsigned int Read(void* buffer, unsigned int count) = 0;
  // Called by SetMode (and Open) to (re)open the target in mode m.
  virtual bool ChangeMode(int m) = 0;

  bool IsStoring() const { return mode != modeRead; }
  bool IsLoading() const { return mode == modeRead; }
  // Switches to mode m (0..2) unless the stream is already in it.
  void SetMode(int m);
  int GetMode() const { return mode; }
  int GetLastCount() const { return lastCount; }
  const CFerroString& GetName() const { return name; }

  // Each operator returns the result of its last Write or Read. A read that
  // the stream cannot satisfy in full leaves the variable unchanged.
  unsigned int operator<<(bool value);
  unsigned int operator<<(char value);
  unsigned int operator<<(unsigned char value);
  unsigned int operator<<(short value);
  unsigned int operator<<(unsigned short value);
  unsigned int operator<<(int value);
  unsigned int operator<<(unsigned int value);
  unsigned int operator<<(float value);
  unsigned int operator<<(double value);
  unsigned int operator<<(const CFerroSize& value);
  unsigned int operator<<(const CFerroPoint& value);
  unsigned int operator<<(const CFerroRect& value);
  // Texts longer than 65535 bytes are stored cut to their first 65535 bytes.
  unsigned int operator<<(const CFerroString& value);

  unsigned int operator>>(bool& value);
  unsigned int operator>>(char& value);
  unsigned int operator>>(unsigned char& value);
  unsigned int operator>>(short& value);
  unsigned int operator>>(unsigned short& value);
  unsigned int operator>>(int& value);
  unsigned int operator>>(unsigned int& value);
  unsigned int operator>>(float& value);
  unsigned int operator>>(double& value);
  unsigned int operator>>(CFerroSize& value);
  unsigned int operator>>(CFerroPoint& value);
  unsigned int operator>>(CFerroRect& value);
  // A text cut short by the end of the stream keeps the bytes that were there.
  unsigned int operator>>(CFerroString& value);

  // Reads a text in the stream form; false, with value unchanged, when the
  // stream ends before the announced bytes.
  bool ReadString(CFerroString& value);

 protected:
  int mode = modeRead;
  int lastCount = 0;
  CFerroString name;
};
