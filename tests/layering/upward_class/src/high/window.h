class Window
{
};
