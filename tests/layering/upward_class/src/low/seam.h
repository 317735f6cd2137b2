// the low layer names a class of the high one without including it
class Window;

void show(Window *window);
