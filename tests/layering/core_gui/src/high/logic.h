int logic();
