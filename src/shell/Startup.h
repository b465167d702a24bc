#pragma once

// The life of the process, from the runtime's start to its exit status.
void initialize();
void Main();
void Startup();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void MakeDefaultView();
void finalize();
