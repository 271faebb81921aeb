; PIC18F4550 test program laid out like a USB bootloader (assembled by gpasm -a inhx32):
; a reset jump and an interrupt jump at the bottom of flash with the unused words
; between 0010h and 0017h left out of the file, a loader that copies a flash table
; into RAM, an application stub linked above the boot block, ID locations, data EEPROM
; and configuration records for only the bytes the chip implements (300004h and
; 300007h stay out), so its HEX file has gaps in every area.
        list    p=18f4550
        #include <p18f4550.inc>
        errorlevel -220             ; IDs and EEPROM lie outside the code range on purpose

        CONFIG  PLLDIV = 5, CPUDIV = OSC1_PLL2, USBDIV = 2, FOSC = HSPLL_HS
        CONFIG  PWRT = ON, BOR = OFF, VREGEN = ON, WDT = OFF
        CONFIG  MCLRE = ON, PBADEN = OFF, LVP = OFF, STVREN = ON, XINST = OFF, DEBUG = OFF
        CONFIG  CP0 = OFF, CPB = OFF, WRTB = OFF, EBTRB = OFF

        cblock  0x000
          count
        endc

        org     0x000000
        goto    loader
        org     0x000008            ; high-priority interrupt: into the application
        goto    0x000808
        ; 0010h to 0017h unused: no record covers them
        org     0x000018            ; low-priority interrupt
        goto    0x000818

loader: lfsr    FSR0, 0x100
        movlw   upper(banner)
        movwf   TBLPTRU
        movlw   high(banner)
        movwf   TBLPTRH
        movlw   low(banner)
        movwf   TBLPTRL
        movlw   d'16'
        movwf   count
copy:   tblrd*+
        movff   TABLAT, POSTINC0
        decfsz  count, F
        bra     copy
        goto    0x000800

banner: db      "Velmora boot 1.0"

        org     0x000800            ; application above the 2 KB boot block
app:    clrf    TRISD
        setf    LATD
        bra     app
        org     0x000808
        retfie  FAST
        org     0x000818
        retfie

        org     0x200000            ; ID locations, only the first four
        db      0x42, 0x4C, 0x31, 0x30

        org     0xF00000            ; data EEPROM: a version cell and the last cell
        de      0x01, 0x00
        org     0xF000FF
        de      0xA5
        end
