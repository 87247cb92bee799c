/* Sample order-form program of the payload: name, address and quantity
   fields and an Order button that thanks the customer. */
#include <windows.h>

enum { IDC_NAME = 100, IDC_ADDRESS, IDC_COPIES, IDC_ORDER };

struct Field {
    const char* label;
    int id;
    int height;
    DWORD style;
};

static const struct Field kFields[] = {
    { "Name:", IDC_NAME, 22, ES_AUTOHSCROLL },
    { "Address:", IDC_ADDRESS, 60, ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL },
    { "Copies:", IDC_COPIES, 22, ES_NUMBER },
};

static void CreateForm(HWND hwnd, HINSTANCE hInstance)
{
    HFONT font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    int y = 16;
    size_t i;
    HWND child;

    child = CreateWindowA("STATIC", "Bramblecote Studios order form", WS_CHILD | WS_VISIBLE,
                          16, y, 320, 20, hwnd, NULL, hInstance, NULL);
    SendMessageA(child, WM_SETFONT, (WPARAM)font, TRUE);
    y += 32;
    for (i = 0; i < sizeof(kFields) / sizeof(kFields[0]); ++i) {
        child = CreateWindowA("STATIC", kFields[i].label, WS_CHILD | WS_VISIBLE,
                              16, y + 3, 80, 20, hwnd, NULL, hInstance, NULL);
        SendMessageA(child, WM_SETFONT, (WPARAM)font, TRUE);
        child = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | kFields[i].style,
                                100, y, 240, kFields[i].height, hwnd,
                                (HMENU)(INT_PTR)kFields[i].id, hInstance, NULL);
        SendMessageA(child, WM_SETFONT, (WPARAM)font, TRUE);
        y += kFields[i].height + 10;
    }
    SetDlgItemTextA(hwnd, IDC_COPIES, "1");
    child = CreateWindowA("BUTTON", "&Order", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                          260, y, 80, 26, hwnd, (HMENU)IDC_ORDER, hInstance, NULL);
    SendMessageA(child, WM_SETFONT, (WPARAM)font, TRUE);
}

static void PlaceOrder(HWND hwnd)
{
    char name[128];
    char text[256];

    GetDlgItemTextA(hwnd, IDC_NAME, name, sizeof(name));
    if (name[0] == '\0') {
        MessageBoxA(hwnd, "Please fill in your name.", "Order form", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    wsprintfA(text, "Thank you, %s. Your order of %u copies is noted.", name,
              GetDlgItemInt(hwnd, IDC_COPIES, NULL, FALSE));
    MessageBoxA(hwnd, text, "Order form", MB_OK | MB_ICONINFORMATION);
}

static LRESULT CALLBACK ShopWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        CreateForm(hwnd, ((LPCREATESTRUCTA)lParam)->hInstance);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_ORDER && HIWORD(wParam) == BN_CLICKED)
            PlaceOrder(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd)
{
    WNDCLASSA wc;
    HWND hwnd;
    MSG msg;
    (void)hPrevInstance;
    (void)lpCmdLine;

    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = ShopWindowProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.hIcon = LoadIconA(NULL, (LPCSTR)IDI_APPLICATION);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = "BramblecoteOrderForm";
    if (!RegisterClassA(&wc))
        return 1;

    hwnd = CreateWindowA(wc.lpszClassName, "Order Fernvale Patience Deluxe",
                         WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                         CW_USEDEFAULT, CW_USEDEFAULT, 380, 300, NULL, NULL, hInstance, NULL);
    if (!hwnd)
        return 1;
    ShowWindow(hwnd, nShowCmd);
    UpdateWindow(hwnd);

    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        if (!IsDialogMessageA(hwnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return (int)msg.wParam;
}
