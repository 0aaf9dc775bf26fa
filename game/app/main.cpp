// Entry point of the game. The application object arrives with the platform
// layer; until then the program starts and ends cleanly.
int main() {
  return 0;
}
